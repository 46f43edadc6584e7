#include "ini/AtomicFile.h"
#include "ini/FileStamp.h"
#include "ini/FileSystem.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

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
        auto read = Read(path);
        if (read.outcome != FileRead::Outcome::Read)
            return std::nullopt;
        return std::move(read.content);
    }

    FileRead Read(const std::string &path) override
    {
        return ReadFileThrough(path, ActiveFileSteps());
    }

    FileRead ReadReusing(const std::string &path, std::string buffer) override
    {
        return ReadFileThrough(path, ActiveFileSteps(), std::move(buffer));
    }

    std::optional<FileMetadata> Metadata(const std::string &path) override
    {
        struct stat info;
        if (!ActiveFileSteps().StatPath(path, info))
            return std::nullopt;
        return MetadataFromStat(info);
    }

    bool CanReplace(const std::string &path) override
    {
        const auto target = ResolveLinks(path);
        if (!target)
            return false;
        struct stat info;
        // An existing file that may be written is rewritten in place where its folder
        // refuses the temporary file.
        if (stat(target->c_str(), &info) == 0)
            return MayReplaceExisting(*target, info);
        return errno == ENOENT && IsWritableFolder(FolderOf(*target));
    }

    bool Replace(const std::string &path, std::string_view content) override
    {
        return ReplaceFileAtomically(path, content, ActiveFileSteps());
    }
};

} // namespace

std::optional<FileMetadata> MetadataOf(const std::string &path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return MetadataFromStat(info);
}

FileSystem &RealFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}
