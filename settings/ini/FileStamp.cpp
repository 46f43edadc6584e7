#include "ini/FileStamp.h"

#include <cstring>
#include <utility>

namespace {

ScopedFileGuard *activeGuard = nullptr;

std::optional<std::uint64_t> HashOfRead(const FileRead &read)
{
    if (read.outcome != FileRead::Outcome::Read)
        return std::nullopt;
    return ContentHash(read.content);
}

std::uint64_t LoadWord(const char *data)
{
    std::uint64_t word;
    std::memcpy(&word, data, sizeof word);
    return word;
}

std::uint64_t Mix(std::uint64_t value)
{
    value *= 0xFF51AFD7ED558CCDULL;
    return value ^ (value >> 33);
}

// A file system that does not tell leaves metadata that matches no file, so that the bytes
// decide whether it changed.
FileMetadata MetadataBefore(const FileRead &read)
{
    return read.before.value_or(FileMetadata{});
}

GuardedRead Unshared(FileRead read, bool allowed)
{
    return {read.outcome, std::make_shared<const std::string>(std::move(read.content)), allowed};
}

} // namespace

// Four lanes that take eight bytes each in turn, so that their multiplications overlap: every
// load and save hashes the whole file. Each step is a bijection of the lane, so bytes that
// differ in one word never hash alike.
std::uint64_t ContentHash(std::string_view bytes)
{
    constexpr std::size_t Lanes = 4;
    constexpr std::size_t Word = sizeof(std::uint64_t);
    std::uint64_t lanes[Lanes] = {1, 2, 3, 4};
    const char *data = bytes.data();
    std::size_t size = bytes.size();
    for (; size >= Lanes * Word; data += Lanes * Word, size -= Lanes * Word) {
        for (std::size_t lane = 0; lane < Lanes; ++lane)
            lanes[lane] = Mix(lanes[lane] ^ LoadWord(data + lane * Word));
    }
    for (std::size_t lane = 0; size >= Word; data += Word, size -= Word, ++lane)
        lanes[lane] = Mix(lanes[lane] ^ LoadWord(data));
    std::uint64_t last = 0;
    std::memcpy(&last, data, size);
    std::uint64_t hash = Mix(bytes.size() ^ last);
    for (const std::uint64_t lane : lanes)
        hash = Mix(hash ^ lane);
    return hash;
}

FileStamp StampFile(const std::string &path, FileSystem &fileSystem, std::string *content)
{
    FileStamp stamp;
    FileRead read = fileSystem.Read(path);
    stamp.metadata = MetadataBefore(read);
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

ScopedFileGuard::ScopedFileGuard(std::string path)
    : m_path(std::move(path))
    , m_firstRead(FileStamp{})
    , m_learning(true)
{
    activeGuard = this;
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
        m_content = std::make_shared<const std::string>(std::move(expectedContent));
    }
}

ScopedFileGuard::~ScopedFileGuard()
{
    activeGuard = nullptr;
}

FileStamp ScopedFileGuard::Stamp() const
{
    return m_firstRead && !m_learning ? *m_firstRead : StampFile(m_path);
}

// The first read sets what every later one must find, as a stamp's read would.
GuardedRead ScopedFileGuard::Learn(FileRead read)
{
    m_learning = false;
    m_firstRead->outcome = read.outcome;
    m_firstRead->metadata = MetadataBefore(read);
    m_broken = read.outcome == FileRead::Outcome::Failed;
    if (read.outcome != FileRead::Outcome::Read)
        return Unshared(std::move(read), !m_broken);
    m_firstRead->hash = ContentHash(read.content);
    m_content = std::make_shared<const std::string>(std::move(read.content));
    return {FileRead::Outcome::Read, m_content, true};
}

GuardedRead ScopedFileGuard::Read(const std::string &path, FileSystem &fileSystem)
{
    if (path != m_path)
        return Unshared(fileSystem.Read(path), true);
    FileRead read = fileSystem.ReadReusing(path, std::move(m_spare));
    if (m_learning)
        return Learn(std::move(read));
    m_broken = m_broken || read.outcome == FileRead::Outcome::Failed || !Expects(read);
    if (!m_broken && m_content) {
        // The expected bytes again: the document shares the guard's copy, and the memory of this
        // read serves the next one.
        m_spare = std::move(read.content);
        return {read.outcome, m_content, true};
    }
    return Unshared(std::move(read), !m_broken);
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
        m_content = std::make_shared<const std::string>(content);
    else
        m_hash = ContentHash(content);
}

ScopedFileGuard *ActiveFileGuard()
{
    return activeGuard;
}

GuardedRead ReadGuarded(const std::string &path, FileSystem &fileSystem)
{
    if (activeGuard)
        return activeGuard->Read(path, fileSystem);
    return Unshared(fileSystem.Read(path), true);
}
