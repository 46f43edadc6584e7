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

FileStamp StampFile(const std::string &path, FileSystem &fileSystem, std::string *content)
{
    FileStamp stamp;
    stamp.metadata = MetadataOf(path).value_or(FileMetadata{});
    FileRead read = fileSystem.Read(path);
    stamp.outcome = read.outcome;
    stamp.hash = HashOfRead(read).value_or(0);
    if (content)
        *content = std::move(read.content);
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

ScopedFileGuard::ScopedFileGuard(std::string path,
                                 const FileStamp &expected,
                                 std::string expectedContent)
    : ScopedFileGuard(std::move(path), expected)
{
    if (m_hash) {
        m_hash.reset();
        m_content = std::move(expectedContent);
    }
}

ScopedFileGuard::~ScopedFileGuard()
{
    activeGuard = nullptr;
}

bool ScopedFileGuard::Allows(const std::string &path, const FileRead &read)
{
    if (path != m_path)
        return true;
    m_broken = m_broken || read.outcome == FileRead::Outcome::Failed || !Expects(read);
    return !m_broken;
}

// The bytes are compared directly where the guard holds them, else their hash.
bool ScopedFileGuard::Expects(const FileRead &read) const
{
    if (read.outcome != FileRead::Outcome::Read)
        return !m_content && !m_hash;
    if (m_content)
        return read.content == *m_content;
    return m_hash == ContentHash(read.content);
}

void ScopedFileGuard::Wrote(const std::string &path, std::string_view content)
{
    if (path != m_path)
        return;
    m_written = true;
    if (m_content || !m_hash)
        m_content = std::string(content);
    else
        m_hash = ContentHash(content);
}

ScopedFileGuard *ActiveFileGuard()
{
    return activeGuard;
}
