#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

// The system calls that replacing a file takes, one call per step, so a test can make any
// single step fail and prove that the file is then either wholly old or wholly new.
class FileSteps
{
public:
    virtual ~FileSteps() = default;

    // Creates and opens a new file from a mkstemp() template, whose X's it replaces; -1 on
    // failure.
    virtual int CreateTemporary(std::string &pathTemplate) = 0;
    // Writes some of the bytes; how many, or -1.
    virtual ssize_t Write(int fd, const char *data, std::size_t size) = 0;
    virtual bool SetOwner(int fd, uid_t owner, gid_t group) = 0;
    virtual bool SetMode(int fd, mode_t mode) = 0;
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

// Gives the file at path (or at the end of its link chain) exactly this content through a
// temporary file in the same folder, synced and renamed over it, with the original's mode and
// owner (0644 less the umask for a new file). False on any failure; the temporary file is then
// gone and the file is as it was.
bool ReplaceFileAtomically(const std::string &path, std::string_view content, FileSteps &steps);
