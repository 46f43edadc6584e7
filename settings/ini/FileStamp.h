#pragma once

#include "ini/FileSystem.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The metadata of the file at path; nullopt when there is none to be had.
std::optional<FileMetadata> MetadataOf(const std::string &path);

// How long before a read a file's change time must lie for the file to count as settled: longer
// than the coarsest tick any file system stamps its times with (two seconds on FAT).
inline constexpr std::chrono::seconds FileSettleTime{2};

// The wall clock, in nanoseconds since 1970, that file times are compared with.
std::int64_t WallClockNs();

// Moves the wall clock on while it lives (one at a time), so tests can make a file written a
// moment ago count as settled without waiting.
class ScopedClockAdvance
{
public:
    explicit ScopedClockAdvance(std::chrono::nanoseconds advance);
    ~ScopedClockAdvance();

    ScopedClockAdvance(const ScopedClockAdvance &) = delete;
    ScopedClockAdvance &operator=(const ScopedClockAdvance &) = delete;
};

// Whether a read that began at readStartNs found a file no later write can leave with the same
// metadata. Any write moves the change time, which no program can set, to the time of the write,
// but only to within a tick: a file changed just before the read may be changed again within the
// same tick and keep every time it has. Where the system keeps no change time, nothing is settled.
bool IsSettled(const FileMetadata &metadata, std::int64_t readStartNs);

// What a file was when it was read: enough to tell later whether another program wrote to it.
struct FileStamp
{
    FileRead::Outcome outcome = FileRead::Outcome::Missing;
    FileMetadata metadata;
    std::uint64_t hash = 0; // of the bytes read
    // Whether the metadata alone tells a later write (see IsSettled()).
    bool settled = false;
};

std::uint64_t ContentHash(std::string_view bytes);

// Reads the file and stamps it with the metadata the read took before the bytes, so a write
// during the read shows later as a change, never as none. With content given, the bytes read are
// kept there.
FileStamp StampFile(const std::string &path,
                    FileSystem &fileSystem = RealFileSystem(),
                    std::string *content = nullptr);

// Whether the file differs from the stamped one: it appeared, went, or holds other bytes. For a
// settled stamp the metadata answers when nothing moved; otherwise the bytes are compared.
bool FileChangedSince(const std::string &path,
                      const FileStamp &stamp,
                      FileSystem &fileSystem = RealFileSystem());

// A read of the file for a document: its bytes, shared with the guard where they are the ones
// it expects, and whether the guard lets writes go over them.
struct GuardedRead
{
    FileRead::Outcome outcome = FileRead::Outcome::Missing;
    std::shared_ptr<const std::string> content;
    bool allowed = true;
};

// While it lives, every read of the file at path must find the bytes its first read found, or
// those the last write through the private-profile layer gave it: a read that finds others is
// treated as a failed read, so a file another program rewrites during a load or a save is never
// taken half-read nor merged into. One guard at a time. Each read is compared with the expected
// bytes directly, and the reads that find them share one copy. A settled file that nobody wrote
// since the first read, as its metadata shows, is not read again at all.
class ScopedFileGuard
{
public:
    // Stamps the file by the first read under it: a load needs no read of its own for the stamp.
    explicit ScopedFileGuard(std::string path);
    ~ScopedFileGuard();

    ScopedFileGuard(const ScopedFileGuard &) = delete;
    ScopedFileGuard &operator=(const ScopedFileGuard &) = delete;

    // Whether a read found bytes other than those expected, or failed.
    bool Broken() const { return m_broken; }

    // Whether anything was written to the file under the guard.
    bool Written() const { return m_written; }

    // The stamp of the first read; the file stamped anew when nothing read it.
    FileStamp Stamp() const;

    // For the private-profile layer.
    GuardedRead Read(const std::string &path, FileSystem &fileSystem);
    void Wrote(const std::string &path, std::string_view content);

private:
    GuardedRead Learn(FileRead read, std::int64_t readStartNs);
    bool Expects(const FileRead &read) const;
    bool UnchangedSinceFirstRead(FileSystem &fileSystem) const;

    std::string m_path;
    // The bytes every read must find; none when the file is expected missing.
    std::shared_ptr<const std::string> m_content;
    FileStamp m_firstRead;
    bool m_learning = true;
    // The memory of the last read that found the expected bytes, for the next read.
    std::string m_spare;
    bool m_broken = false;
    bool m_written = false;
};

// Reads the file for the private-profile layer, through the guard in place when it guards it.
GuardedRead ReadGuarded(const std::string &path, FileSystem &fileSystem);

// The guard in place, if any.
ScopedFileGuard *ActiveFileGuard();
