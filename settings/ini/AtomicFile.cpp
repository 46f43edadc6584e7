#include "ini/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace {

// The same limit as the kernel's for following links.
constexpr int MaxLinkHops = 40;
// Tries at a temporary file that another save's clean-up may take away before it is locked.
constexpr int MaxTemporaryAttempts = 16;
// The six characters mkstemp() puts in place of its X's.
constexpr std::size_t RandomPartLength = 6;

// What CreateLockedTemporary() gives when the file must be tried again.
constexpr int TryAgain = -2;

// Creates the temporary file and locks it, so that another save's clean-up of stale temporary
// files leaves it alone; -1 with errno set on failure, TryAgain when a clean-up took it away
// before the lock. A file system without locks fails the lock here and, as well, in any
// clean-up, which removes only what it could lock: the file is then used unlocked.
int CreateLockedTemporary(std::string &path)
{
    const int fd = mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    if (flock(fd, LOCK_EX) != 0 || fstat(fd, &info) != 0 || info.st_nlink > 0)
        return fd;
    close(fd);
    return TryAgain;
}

#ifdef __linux__
std::optional<std::string> ListAttributeNames(const std::string &path)
{
    for (;;) {
        const ssize_t size = listxattr(path.c_str(), nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string names(static_cast<std::size_t>(size), '\0');
        const ssize_t filled = listxattr(path.c_str(), names.data(), names.size());
        if (filled >= 0) {
            names.resize(static_cast<std::size_t>(filled));
            return names;
        }
        if (errno != ERANGE) // ERANGE: another attribute came meanwhile
            return std::nullopt;
    }
}

std::optional<std::string> AttributeValue(const std::string &path, const std::string &name)
{
    for (;;) {
        const ssize_t size = getxattr(path.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t filled = getxattr(path.c_str(), name.c_str(), value.data(), value.size());
        if (filled >= 0) {
            value.resize(static_cast<std::size_t>(filled));
            return value;
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
}
#endif

class PosixFileSteps : public FileSteps
{
public:
    int OpenForReading(const std::string &path) override
    {
        // Non-blocking, so a FIFO standing where the file should be cannot hang the program;
        // it is no regular file and is turned away after the Stat().
        return open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    }
    bool Stat(int fd, struct stat &info) override { return fstat(fd, &info) == 0; }
    bool StatPath(const std::string &path, struct stat &info) override
    {
        return stat(path.c_str(), &info) == 0;
    }
    ssize_t Read(int fd, char *data, std::size_t size) override { return read(fd, data, size); }
    int CreateTemporary(std::string &pathTemplate) override
    {
        const std::string pattern = pathTemplate;
        for (int attempt = 0; attempt < MaxTemporaryAttempts; ++attempt) {
            pathTemplate = pattern;
            if (const int fd = CreateLockedTemporary(pathTemplate); fd != TryAgain)
                return fd;
        }
        errno = EEXIST;
        return -1;
    }
    int OpenForWriting(const std::string &path) override
    {
        return open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    ssize_t Write(int fd, const char *data, std::size_t size) override
    {
        return write(fd, data, size);
    }
    bool SetOwner(int fd, uid_t owner, gid_t group) override
    {
        return fchown(fd, owner, group) == 0;
    }
    bool SetMode(int fd, mode_t mode) override { return fchmod(fd, mode) == 0; }
#ifdef __linux__
    std::optional<std::string> ListAttributes(const std::string &path) override
    {
        return ListAttributeNames(path);
    }
    std::optional<std::string> GetAttribute(const std::string &path,
                                            const std::string &name) override
    {
        return AttributeValue(path, name);
    }
    bool SetAttribute(int fd, const std::string &name, std::string_view value) override
    {
        return fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0;
    }
#else
    std::optional<std::string> ListAttributes(const std::string &) override
    {
        return std::string();
    }
    std::optional<std::string> GetAttribute(const std::string &, const std::string &) override
    {
        errno = ENOTSUP;
        return std::nullopt;
    }
    bool SetAttribute(int, const std::string &, std::string_view) override
    {
        errno = ENOTSUP;
        return false;
    }
#endif
    bool Truncate(int fd, off_t size) override
    {
        return ftruncate(fd, size) == 0;
    }
    bool Sync(int fd) override
    {
        return fsync(fd) == 0;
    }
    bool Close(int fd) override
    {
        return close(fd) == 0;
    }
    bool Rename(const std::string &from, const std::string &to) override
    {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool SyncFolder(const std::string &folder) override
    {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool synced = fsync(fd) == 0;
        close(fd);
        return synced;
    }
    bool Remove(const std::string &path) override
    {
        return unlink(path.c_str()) == 0;
    }
};

FileSteps *activeSteps = nullptr;

std::string FolderPrefix(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(FileSteps &steps, int fd, std::string_view content)
{
    while (!content.empty()) {
        errno = 0;
        const auto written = steps.Write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t NewFileMode()
{
    // umask() can only be read by setting it; put it straight back.
    const mode_t mask = umask(0);
    umask(mask);
    return 0644 & ~mask;
}

// Attributes the process may not read or set (another's "trusted." ones, a file system
// without them) are left behind; any other failure stops the save.
bool MayBeSkipped(int error)
{
    return error == EPERM || error == EACCES || error == ENOTSUP || error == ENODATA;
}

bool CopyAttributes(FileSteps &steps, const std::string &from, int fd)
{
    errno = 0;
    const auto names = steps.ListAttributes(from);
    if (!names)
        return MayBeSkipped(errno);
    for (std::size_t start = 0; start < names->size();) {
        const auto end = names->find('\0', start);
        const std::string name = names->substr(start, end - start);
        start = end == std::string::npos ? names->size() : end + 1;
        errno = 0;
        const auto value = steps.GetAttribute(from, name);
        if (!value ? !MayBeSkipped(errno)
                   : !steps.SetAttribute(fd, name, *value) && !MayBeSkipped(errno))
            return false;
    }
    return true;
}

// Writes, keeps mode, owner and extended attributes, and syncs the open temporary file. The
// attributes come after the mode, since an access control list sets the mode's group bits.
bool FillTemporary(FileSteps &steps,
                   int fd,
                   std::string_view content,
                   const std::string &target,
                   const std::optional<struct stat> &original)
{
    if (!WriteAll(steps, fd, content))
        return false;
    if (original) // best effort: only root may give a file away
        steps.SetOwner(fd, original->st_uid, original->st_gid);
    const mode_t mode = original ? original->st_mode & 07777 : NewFileMode();
    if (!steps.SetMode(fd, mode))
        return false;
    if (original && !CopyAttributes(steps, target, fd))
        return false;
    return steps.Sync(fd);
}

// The folder refuses new files: no write permission to it, though the file may have one.
bool FolderRefusesNewFiles(int error)
{
    return error == EACCES || error == EPERM;
}

// The last resort where no temporary file can be made: the file is written over from its
// start, flushed, and cut to the new length. A crash half-way leaves it half-written.
bool RewriteInPlace(FileSteps &steps, const std::string &target, std::string_view content)
{
    const int fd = steps.OpenForWriting(target);
    if (fd < 0)
        return false;
    const bool written = WriteAll(steps, fd, content) && steps.Sync(fd)
                         && steps.Truncate(fd, static_cast<off_t>(content.size()))
                         && steps.Sync(fd);
    const bool closed = steps.Close(fd);
    return written && closed;
}

bool IsOurTemporaryName(const std::string &name, const std::string &prefix)
{
    return name.size() == prefix.size() + RandomPartLength
           && name.compare(0, prefix.size(), prefix) == 0;
}

// Removes the file at path when no process holds its lock, and it is still the file opened.
void RemoveIfUnlocked(const std::string &path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat opened;
    struct stat named;
    if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0
        && lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev
        && named.st_ino == opened.st_ino)
        unlink(path.c_str());
    close(fd);
}

class ScopedReadDescriptor
{
public:
    explicit ScopedReadDescriptor(int fd)
        : m_fd(fd)
    {}
    ~ScopedReadDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    ScopedReadDescriptor(const ScopedReadDescriptor &) = delete;
    ScopedReadDescriptor &operator=(const ScopedReadDescriptor &) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

bool SameTime(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether the file was written to between the two looks at it.
bool ChangedBetween(const struct stat &before, const struct stat &after)
{
    return before.st_size != after.st_size || !SameTime(before.st_mtim, after.st_mtim)
           || !SameTime(before.st_ctim, after.st_ctim);
}

// Reads straight into the result, room for the file's size when opened plus one byte: filling
// that byte means the file grew. A read that stops short of it with the whole size in has met
// the file's end, so no read of nothing needs to confirm it; a file that grows after it shows
// in the metadata taken after the read. A string clears what it grows by, so the memory of
// content is kept where it is long enough and only what it lacks is cleared; the bytes it held
// are all read over or cut off.
std::optional<std::string>
ReadExactly(FileSteps &steps, int fd, std::size_t size, std::string content)
{
    const std::size_t room = size + 1;
    if (content.size() < room)
        content.resize(room);
    std::size_t filled = 0;
    for (;;) {
        errno = 0;
        const ssize_t count = steps.Read(fd, content.data() + filled, room - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
        if (filled >= size)
            break;
    }
    if (filled != size)
        return std::nullopt;
    content.resize(filled);
    return content;
}

FileRead Failed()
{
    return {FileRead::Outcome::Failed, std::string(), std::nullopt};
}

} // namespace

FileSteps &RealFileSteps()
{
    static PosixFileSteps steps;
    return steps;
}

FileSteps &ActiveFileSteps()
{
    return activeSteps ? *activeSteps : RealFileSteps();
}

ScopedFileSteps::ScopedFileSteps(FileSteps &steps)
    : m_previous(activeSteps)
{
    activeSteps = &steps;
}

ScopedFileSteps::~ScopedFileSteps()
{
    activeSteps = m_previous;
}

std::optional<std::string> ResolveLinks(const std::string &path)
{
    std::string current = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::error_code error;
        const auto target = std::filesystem::read_symlink(current, error).string();
        if (error || target.empty())
            return std::nullopt;
        current = target.front() == '/' ? target : FolderPrefix(current) + target;
    }
    return std::nullopt;
}

std::string FolderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileRead ReadFileThrough(const std::string &path, FileSteps &steps, std::string buffer)
{
    errno = 0;
    const ScopedReadDescriptor file(steps.OpenForReading(path));
    if (file.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead{} : Failed();
    struct stat before;
    if (!steps.Stat(file.get(), before) || !S_ISREG(before.st_mode))
        return Failed();
    auto content = ReadExactly(
        steps, file.get(), static_cast<std::size_t>(before.st_size), std::move(buffer));
    struct stat after;
    if (!content || !steps.Stat(file.get(), after) || ChangedBetween(before, after))
        return Failed();
    return {FileRead::Outcome::Read, std::move(*content), MetadataFromStat(before)};
}

FileMetadata MetadataFromStat(const struct stat &info)
{
    constexpr std::int64_t NsPerSecond = 1000000000;
    return FileMetadata{static_cast<std::uint64_t>(info.st_size),
                        info.st_mtim.tv_sec * NsPerSecond + info.st_mtim.tv_nsec,
                        info.st_ctim.tv_sec * NsPerSecond + info.st_ctim.tv_nsec,
                        static_cast<std::uint64_t>(info.st_ino),
                        static_cast<std::uint64_t>(info.st_dev)};
}

void RemoveStaleTemporaries(const std::string &target)
{
    std::string prefix(1, '.');
    prefix += NameOf(target);
    prefix += TemporaryTag;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(FolderOf(target), error)) {
        const std::string name = entry.path().filename().string();
        if (IsOurTemporaryName(name, prefix))
            RemoveIfUnlocked(FolderPrefix(target) + name);
    }
}

bool ReplaceFileAtomically(const std::string &path, std::string_view content, FileSteps &steps)
{
    const auto target = ResolveLinks(path);
    if (!target)
        return false;
    std::optional<struct stat> original;
    if (struct stat info; stat(target->c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return false;
        original = info;
    }
    RemoveStaleTemporaries(*target);
    std::string temporary
        = FolderPrefix(*target) + "." + NameOf(*target) + std::string(TemporaryTag) + "XXXXXX";
    errno = 0;
    const int fd = steps.CreateTemporary(temporary);
    if (fd < 0)
        return original && FolderRefusesNewFiles(errno) && RewriteInPlace(steps, *target, content);
    // Renamed before it is closed, so that its lock keeps other saves' clean-up away until
    // it has its final name.
    if (!FillTemporary(steps, fd, content, *target, original)
        || !steps.Rename(temporary, *target)) {
        steps.Close(fd);
        steps.Remove(temporary);
        return false;
    }
    // The content is synced and in place: a failing close or folder sync loses nothing, and
    // some file systems cannot sync a folder at all.
    steps.Close(fd);
    steps.SyncFolder(FolderOf(*target));
    return true;
}
