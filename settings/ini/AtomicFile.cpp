#include "ini/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The same limit as the kernel's for following links.
constexpr int MaxLinkHops = 40;

class PosixFileSteps : public FileSteps
{
public:
    int CreateTemporary(std::string &pathTemplate) override
    {
        return mkostemp(pathTemplate.data(), O_CLOEXEC);
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
    bool Sync(int fd) override { return fsync(fd) == 0; }
    bool Close(int fd) override { return close(fd) == 0; }
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
    bool Remove(const std::string &path) override { return unlink(path.c_str()) == 0; }
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

// Writes, keeps mode and owner, and syncs the open temporary file.
bool FillTemporary(FileSteps &steps,
                   int fd,
                   std::string_view content,
                   const std::optional<struct stat> &original)
{
    if (!WriteAll(steps, fd, content))
        return false;
    if (original) // best effort: only root may give a file away
        steps.SetOwner(fd, original->st_uid, original->st_gid);
    const mode_t mode = original ? original->st_mode & 07777 : NewFileMode();
    return steps.SetMode(fd, mode) && steps.Sync(fd);
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
    std::string temporary = FolderPrefix(*target) + "." + NameOf(*target) + ".XXXXXX";
    const int fd = steps.CreateTemporary(temporary);
    if (fd < 0)
        return false;
    const bool filled = FillTemporary(steps, fd, content, original);
    const bool closed = steps.Close(fd);
    if (!filled || !closed || !steps.Rename(temporary, *target)) {
        steps.Remove(temporary);
        return false;
    }
    // The new content is in place; syncing the folder only makes the rename durable sooner,
    // and some file systems cannot sync a folder at all.
    steps.SyncFolder(FolderOf(*target));
    return true;
}
