#pragma once

#include "ini/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

struct stat;

// The system calls that reading and replacing a file take, one call per step, so a test can
// make any single step fail and prove that the file is then either wholly old or wholly new.
// A failing step leaves the reason in errno.
class FileSteps
{
public:
    virtual ~FileSteps() = default;

    // Opens an existing file for reading; -1 on failure.
    virtual int OpenForReading(const std::string &path) = 0;
    virtual bool Stat(int fd, struct stat &info) = 0;
    // Looks at the metadata of the file at path, following links, without opening it.
    virtual bool StatPath(const std::string &path, struct stat &info) = 0;
    // Reads some bytes; how many (0 at the end), or -1.
    virtual ssize_t Read(int fd, char *data, std::size_t size) = 0;

    // Creates and opens a new file from a mkstemp() template, whose X's it replaces, and holds
    // an exclusive lock on it until it is closed; -1 on failure.
    virtual int CreateTemporary(std::string &pathTemplate) = 0;
    // Opens an existing file for writing in place, without truncating it; -1 on failure.
    virtual int OpenForWriting(const std::string &path) = 0;
    // Writes some of the bytes; how many, or -1.
    virtual ssize_t Write(int fd, const char *data, std::size_t size) = 0;
    virtual bool SetOwner(int fd, uid_t owner, gid_t group) = 0;
    virtual bool SetMode(int fd, mode_t mode) = 0;
    // The names of the file's extended attributes, each ending in a NUL byte; nullopt on
    // failure.
    virtual std::optional<std::string> ListAttributes(const std::string &path) = 0;
    virtual std::optional<std::string> GetAttribute(const std::string &path,
                                                    const std::string &name)
        = 0;
    virtual bool SetAttribute(int fd, const std::string &name, std::string_view value) = 0;
    virtual bool Truncate(int fd, off_t size) = 0;
    virtual bool Sync(int fd) = 0;
    virtual bool Close(int fd) = 0;
    virtual bool Rename(const std::string &from, const std::string &to) = 0;
    virtual bool SyncFolder(const std::string &folder) = 0;
    virtual bool Remove(const std::string &path) = 0;
};

// The operating system's own calls.
FileSteps &RealFileSteps();

// The steps the real file system replaces files with: the operating system's own, unless a
// ScopedFileSteps has put others in place.
FileSteps &ActiveFileSteps();

// Puts other steps under the real file system for as long as it lives, so a test can make a
// step fail in the middle of a whole save that creates its own file accessors.
class ScopedFileSteps
{
public:
    explicit ScopedFileSteps(FileSteps &steps);
    ~ScopedFileSteps();

    ScopedFileSteps(const ScopedFileSteps &) = delete;
    ScopedFileSteps &operator=(const ScopedFileSteps &) = delete;

private:
    FileSteps *m_previous;
};

// Where a chain of symbolic links ends: the path itself when it is no link, also when nothing
// is there. nullopt for a link loop or a link that cannot be read.
std::optional<std::string> ResolveLinks(const std::string &path);

// The folder a path names a file in: "." for a bare file name.
std::string FolderOf(const std::string &path);

// What a stat() of the file tells, as a stamp keeps it.
FileMetadata MetadataFromStat(const struct stat &info);

// The whole content of the file at path. Missing only when there is no such file or folder
// (ENOENT, ENOTDIR); Failed for anything but a regular file, for any failing step, and when the
// file's size, modification or change time moved while it was read. The read goes into the
// memory of buffer where it is large enough, and gives the metadata the file had before it.
FileRead ReadFileThrough(const std::string &path, FileSteps &steps, std::string buffer = {});

// What marks our temporary files: ".<name>.vezaz-" and six random characters.
inline constexpr std::string_view TemporaryTag = ".vezaz-";

// Removes the temporary files a save of the file at target killed half-way left beside it:
// only files of our own naming that no live process holds locked.
void RemoveStaleTemporaries(const std::string &target);

// Gives the file at path (or at the end of its link chain) exactly this content through a
// temporary file in the same folder, synced and renamed over it, with the original's mode,
// owner and extended attributes (ACLs among them); 0644 less the umask for a new file. Where
// the folder refuses new files but the file itself may be written, the file is rewritten in
// place instead. False on any failure, and for a target that is no regular file; the temporary
// file is then gone and the file is as it was.
bool ReplaceFileAtomically(const std::string &path, std::string_view content, FileSteps &steps);
