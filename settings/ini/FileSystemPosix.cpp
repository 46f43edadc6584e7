#include "ini/AtomicFile.h"
#include "ini/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ScopedDescriptor
{
public:
    explicit ScopedDescriptor(int fd)
        : m_fd(fd)
    {}
    ~ScopedDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    ScopedDescriptor(const ScopedDescriptor &) = delete;
    ScopedDescriptor &operator=(const ScopedDescriptor &) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads straight into the result, sized for the file's size when opened plus one byte, so the
// read that finds the end needs no more room; a file that grew meanwhile is read to its end.
std::optional<std::string> ReadDescriptor(int fd, std::size_t sizeHint)
{
    std::string content(sizeHint + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size())
            content.resize(content.size() * 2);
        const ssize_t count = read(fd, content.data() + filled, content.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0) {
            content.resize(filled);
            return content;
        }
        filled += static_cast<std::size_t>(count);
    }
}

// Whether the existing file at the end of the link chain may be replaced by its content.
bool MayReplaceExisting(const std::string &target, const struct stat &info)
{
    // A file that cannot be read would be replaced by the new keys alone.
    return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0
           && access(target.c_str(), R_OK | W_OK) == 0;
}

bool IsWritableFolder(const std::string &folder)
{
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
           && access(folder.c_str(), W_OK | X_OK) == 0;
}

class PosixFileSystem : public FileSystem
{
public:
    std::optional<std::string> ReadAll(const std::string &path) override
    {
        // Non-blocking, so a FIFO standing where the file should be cannot hang the program;
        // it is no regular file and is turned away below.
        const ScopedDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        struct stat info;
        if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
            return std::nullopt;
        return ReadDescriptor(file.get(), static_cast<std::size_t>(info.st_size));
    }

    bool CanReplace(const std::string &path) override
    {
        const auto target = ResolveLinks(path);
        if (!target)
            return false;
        struct stat info;
        if (stat(target->c_str(), &info) == 0) {
            if (!MayReplaceExisting(*target, info))
                return false;
        } else if (errno != ENOENT) {
            return false;
        }
        return IsWritableFolder(FolderOf(*target));
    }

    bool Replace(const std::string &path, std::string_view content) override
    {
        return ReplaceFileAtomically(path, content, ActiveFileSteps());
    }
};

} // namespace

FileSystem &RealFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}
