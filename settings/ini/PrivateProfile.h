#pragma once

#include "ini/FileSystem.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Our own private-profile calls: GetPrivateProfileString and WritePrivateProfileString over
// one file, with the file held in memory between calls and written out by Flush(). Every byte
// that a write does not own (comments, blank lines, unknown keys and sections, line endings,
// a missing final newline) is kept as it was.
class PrivateProfileFile
{
public:
    PrivateProfileFile(std::string path, FileSystem &fileSystem);
    ~PrivateProfileFile();

    PrivateProfileFile(const PrivateProfileFile &) = delete;
    PrivateProfileFile &operator=(const PrivateProfileFile &) = delete;

    // The value of the key in the first section of that name, without the blanks around it and
    // one pair of enclosing quotes, ending before a NUL byte, cut to 2047 characters;
    // defaultValue when the file, the section or the key is missing, and for every key of a
    // UTF-16 file.
    std::string
    GetString(std::string_view section, std::string_view key, std::string_view defaultValue);
    // The same value as a view into the file held in memory, valid until the next write;
    // nullopt where GetString() gives its default.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key);

    // Sets the value in place, or appends the key at the end of its section, or the section
    // at the end of the file. Writing the value a read already returns changes nothing. False
    // when the write is refused: the file would change and cannot be written, the file exists
    // but could not be read in full, the names or the value would break the file's structure,
    // or the file is UTF-16 (never written).
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Find() of every key of one section in one call: values[i] for keys[i].
    void FindAll(std::string_view section,
                 std::span<const std::string_view> keys,
                 std::span<std::optional<std::string_view>> values);
    // WriteString() of each key of one section whose value is given (nullopt writes nothing),
    // in order, in one call: the values the file holds are read in one pass and compared in
    // place. False at the first refused write; the keys before it are written.
    bool WriteAll(std::string_view section,
                  std::span<const std::string_view> keys,
                  std::span<const std::optional<std::string_view>> values);

    // Writes the changes of earlier writes to disk; does nothing when nothing changed. False
    // when the file cannot be written; the file is then as it was before.
    bool Flush();

private:
    // WriteString() once the names and the value are known to be safe.
    bool WriteSafe(std::string_view section, std::string_view key, std::string_view value);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
