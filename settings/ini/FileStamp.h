#pragma once

#include "ini/FileSystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The metadata of the file at path; nullopt when there is none to be had.
std::optional<FileMetadata> MetadataOf(const std::string &path);

// What a file was when it was read: enough to tell later whether another program wrote to it.
struct FileStamp
{
    FileRead::Outcome outcome = FileRead::Outcome::Missing;
    FileMetadata metadata;
    std::uint64_t hash = 0; // of the bytes read
};

std::uint64_t ContentHash(std::string_view bytes);

// Reads the file and stamps it with the metadata the read took before the bytes, so a write
// during the read shows later as a change, never as none. With content given, the bytes read are
// kept there.
FileStamp StampFile(const std::string &path,
                    FileSystem &fileSystem = RealFileSystem(),
                    std::string *content = nullptr);

// Whether the file differs from the stamped one: it appeared, went, or holds other bytes. The
// metadata answers when nothing moved; the bytes are compared only when something did.
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

// While it lives, every read of the file at path must find the bytes of the stamp, or those the
// last write through the private-profile layer gave it: a read that finds others is treated
// as a failed read, so a file another program rewrites during a load or a save is never taken
// half-read nor merged into. One guard at a time. Given the bytes the stamp was read from, the
// guard compares each read with them directly, which costs less than hashing it, and the reads
// that find them share one copy.
class ScopedFileGuard
{
public:
    // Expects the bytes the first read under it finds, and stamps the file by that read: a load
    // needs no read of its own for the stamp.
    explicit ScopedFileGuard(std::string path);
    ScopedFileGuard(std::string path, const FileStamp &expected);
    ScopedFileGuard(std::string path, const FileStamp &expected, std::string expectedContent);
    ~ScopedFileGuard();

    ScopedFileGuard(const ScopedFileGuard &) = delete;
    ScopedFileGuard &operator=(const ScopedFileGuard &) = delete;

    // Whether a read found bytes other than those expected, or failed.
    bool Broken() const { return m_broken; }

    // Whether anything was written to the file under the guard.
    bool Written() const { return m_written; }

    // The stamp of the first read under a guard made from the path alone; the file stamped anew
    // when nothing read it.
    FileStamp Stamp() const;

    // For the private-profile layer.
    GuardedRead Read(const std::string &path, FileSystem &fileSystem);
    void Wrote(const std::string &path, std::string_view content);

private:
    GuardedRead Learn(FileRead read);
    bool Expects(const FileRead &read) const;

    std::string m_path;
    std::optional<std::uint64_t> m_hash; // none: no file expected, or m_content holds the bytes
    std::shared_ptr<const std::string> m_content;
    // For a guard made from the path alone: the stamp the first read fills in.
    std::optional<FileStamp> m_firstRead;
    bool m_learning = false;
    // The memory of the last read that found the expected bytes, for the next read.
    std::string m_spare;
    bool m_broken = false;
    bool m_written = false;
};

// Reads the file for the private-profile layer, through the guard in place when it guards it.
GuardedRead ReadGuarded(const std::string &path, FileSystem &fileSystem);

// The guard in place, if any.
ScopedFileGuard *ActiveFileGuard();
