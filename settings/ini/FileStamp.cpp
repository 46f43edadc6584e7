#include "ini/FileStamp.h"

#include <chrono>
#include <cstring>
#include <utility>

namespace {

ScopedFileGuard *activeGuard = nullptr;
std::chrono::nanoseconds clockAdvance{0};

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

std::int64_t WallClockNs()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch() + clockAdvance;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

ScopedClockAdvance::ScopedClockAdvance(std::chrono::nanoseconds advance)
{
    clockAdvance = advance;
}

ScopedClockAdvance::~ScopedClockAdvance()
{
    clockAdvance = std::chrono::nanoseconds{0};
}

bool IsSettled(const FileMetadata &metadata, std::int64_t readStartNs)
{
    const std::int64_t settleNs = std::chrono::nanoseconds(FileSettleTime).count();
    return metadata.changedNs != 0 && metadata.changedNs < readStartNs - settleNs;
}

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
    const std::int64_t readStartNs = WallClockNs();
    FileRead read = fileSystem.Read(path);
    stamp.metadata = MetadataBefore(read);
    stamp.outcome = read.outcome;
    stamp.hash = HashOfRead(read).value_or(0);
    stamp.settled = read.before && IsSettled(*read.before, readStartNs);
    if (content)
        *content = std::move(read.content);
    return stamp;
}

bool FileChangedSince(const std::string &path, const FileStamp &stamp, FileSystem &fileSystem)
{
    if (stamp.settled && stamp.outcome == FileRead::Outcome::Read
        && MetadataOf(path) == stamp.metadata)
        return false;
    const FileRead read = fileSystem.Read(path);
    if (read.outcome != stamp.outcome)
        return true;
    return read.outcome == FileRead::Outcome::Read && ContentHash(read.content) != stamp.hash;
}

ScopedFileGuard::ScopedFileGuard(std::string path)
    : m_path(std::move(path))
{
    activeGuard = this;
}

ScopedFileGuard::~ScopedFileGuard()
{
    activeGuard = nullptr;
}

FileStamp ScopedFileGuard::Stamp() const
{
    return m_learning ? StampFile(m_path) : m_firstRead;
}

// The first read sets what every later one must find, as a stamp's read would.
GuardedRead ScopedFileGuard::Learn(FileRead read, std::int64_t readStartNs)
{
    m_learning = false;
    m_firstRead.outcome = read.outcome;
    m_firstRead.metadata = MetadataBefore(read);
    m_firstRead.settled = read.before && IsSettled(*read.before, readStartNs);
    m_broken = read.outcome == FileRead::Outcome::Failed;
    if (read.outcome != FileRead::Outcome::Read)
        return Unshared(std::move(read), !m_broken);
    m_firstRead.hash = ContentHash(read.content);
    m_content = std::make_shared<const std::string>(std::move(read.content));
    return {FileRead::Outcome::Read, m_content, true};
}

GuardedRead ScopedFileGuard::Read(const std::string &path, FileSystem &fileSystem)
{
    if (path != m_path)
        return Unshared(fileSystem.Read(path), true);
    if (m_learning) {
        const std::int64_t readStartNs = WallClockNs();
        return Learn(fileSystem.Read(path), readStartNs);
    }
    if (UnchangedSinceFirstRead(fileSystem))
        return {FileRead::Outcome::Read, m_content, true};
    FileRead read = fileSystem.ReadReusing(path, std::move(m_spare));
    m_broken = m_broken || read.outcome == FileRead::Outcome::Failed || !Expects(read);
    if (!m_broken && m_content) {
        // The expected bytes again: the document shares the guard's copy, and the memory of this
        // read serves the next one.
        m_spare = std::move(read.content);
        return {read.outcome, m_content, true};
    }
    return Unshared(std::move(read), !m_broken);
}

// A settled file whose metadata is still that of the first read was not written since, so it
// holds the bytes that read found: one look at the metadata stands for a read and a comparison.
// After a write of ours the metadata is no longer the first read's, and the bytes decide.
bool ScopedFileGuard::UnchangedSinceFirstRead(FileSystem &fileSystem) const
{
    if (m_broken || m_written || !m_content || !m_firstRead.settled)
        return false;
    const auto metadata = fileSystem.Metadata(m_path);
    return metadata && *metadata == m_firstRead.metadata;
}

bool ScopedFileGuard::Expects(const FileRead &read) const
{
    if (read.outcome != FileRead::Outcome::Read)
        return !m_content;
    return m_content && read.content == *m_content;
}

void ScopedFileGuard::Wrote(const std::string &path, std::string_view content)
{
    if (path != m_path)
        return;
    m_written = true;
    m_content = std::make_shared<const std::string>(content);
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
