#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// What the operating system tells of a file without reading it. Any write to the file changes
// at least one of them, short of a clock set back or a write in the same tick of the file
// system's clock as the change before (see IsSettled()).
struct FileMetadata
{
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0; // the inode's change time; 0 where the system keeps none
    std::uint64_t identity = 0; // inode or file index, so a file renamed over it shows
    std::uint64_t device = 0;

    bool operator==(const FileMetadata &) const = default;
};

// What reading a file found. Only a file that is not there reads as Missing; an existing file
// that could not be read in full, or that changed while it was read, is Failed, so that no write
// ever replaces it with less than it held.
struct FileRead
{
    enum class Outcome { Read, Missing, Failed };

    Outcome outcome = Outcome::Missing;
    std::string content;
    // Of the file read, taken before its bytes were, so that a stamp needs no look of its own;
    // none where the file system does not tell.
    std::optional<FileMetadata> before;
};

// The file-system calls of the INI layer. The real one talks to the operating system; tests
// put in one that fails at a chosen step, to prove that a save never leaves a half-written file.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // The file's whole content; nullopt when there is no regular file to read.
    virtual std::optional<std::string> ReadAll(const std::string &path) = 0;

    // The file's whole content, telling a missing file from one that could not be read. A
    // file system that cannot tell them apart treats every unreadable file as missing.
    virtual FileRead Read(const std::string &path)
    {
        auto content = ReadAll(path);
        if (!content)
            return {};
        return {FileRead::Outcome::Read, std::move(*content), std::nullopt};
    }

    // Read(), into the memory of buffer where it is large enough: a caller that reads one file
    // again and again spares allocating and clearing a new buffer each time. What buffer held is
    // never part of the result.
    virtual FileRead ReadReusing(const std::string &path, std::string /*buffer*/)
    {
        return Read(path);
    }

    // The file's metadata as a look at it gives, without opening it; nullopt when there is no
    // file or the file system does not tell, and then a guarded read reads the file itself.
    virtual std::optional<FileMetadata> Metadata(const std::string & /*path*/)
    {
        return std::nullopt;
    }

    // Whether Replace() may succeed: false for a missing folder, a folder standing where the
    // file should be, a file with no write bit at all, or no permission. Checked explicitly
    // because a rename in a writable folder would slip past a read-only file, and because root
    // passes every permission check.
    virtual bool CanReplace(const std::string &path) = 0;

    // Gives the file exactly this content, atomically: a temporary file in the same folder,
    // flushed to disk and renamed over the original, keeping the original's permissions and
    // writing through a symbolic link to its target. False on any failure, with the file as
    // it was and no temporary file left behind.
    virtual bool Replace(const std::string &path, std::string_view content) = 0;
};

// The operating system's own file system.
FileSystem &RealFileSystem();
