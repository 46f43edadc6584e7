#include "ini/FileStamp.h"

#include <functional>
#include <utility>

namespace {

ScopedFileGuard *activeGuard = nullptr;

std::optional<std::uint64_t> HashOfRead(const FileRead &read)
{
    if (read.outcome != FileRead::Outcome::Read)
        return std::nullopt;
    return ContentHash(read.content);
}

} // namespace

std::uint64_t ContentHash(std::string_view bytes)
{
    return std::hash<std::string_view>{}(bytes);
}

FileStamp StampFile(const std::string &path, FileSystem &fileSystem)
{
    FileStamp stamp;
    stamp.metadata = MetadataOf(path).value_or(FileMetadata{});
    const FileRead read = fileSystem.Read(path);
    stamp.outcome = read.outcome;
    stamp.hash = HashOfRead(read).value_or(0);
    return stamp;
}

bool FileChangedSince(const std::string &path, const FileStamp &stamp, FileSystem &fileSystem)
{
    const auto metadata = MetadataOf(path);
    if (stamp.outcome == FileRead::Outcome::Read && metadata == stamp.metadata)
        return false;
    const FileRead read = fileSystem.Read(path);
    if (read.outcome != stamp.outcome)
        return true;
    return read.outcome == FileRead::Outcome::Read && ContentHash(read.content) != stamp.hash;
}

ScopedFileGuard::ScopedFileGuard(std::string path, const FileStamp &expected)
    : m_path(std::move(path))
{
    if (expected.outcome == FileRead::Outcome::Read)
        m_hash = expected.hash;
    m_broken = expected.outcome == FileRead::Outcome::Failed;
    activeGuard = this;
}

ScopedFileGuard::~ScopedFileGuard()
{
    activeGuard = nullptr;
}

bool ScopedFileGuard::Allows(const std::string &path, const FileRead &read)
{
    if (path != m_path)
        return true;
    const bool allowed
        = read.outcome != FileRead::Outcome::Failed && !m_broken && HashOfRead(read) == m_hash;
    m_broken = !allowed;
    return allowed;
}

void ScopedFileGuard::Wrote(const std::string &path, std::string_view content)
{
    if (path == m_path)
        m_hash = ContentHash(content);
}

ScopedFileGuard *ActiveFileGuard()
{
    return activeGuard;
}
