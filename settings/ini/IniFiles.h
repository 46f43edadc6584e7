#pragma once

#include "ini/IniError.h"
#include "ini/PrivateProfile.h"

#include <optional>
#include <string>
#include <string_view>

// The accessor over our own private-profile layer. It keeps the file in memory between calls;
// UpdateFile() writes it out. The destructor never writes and never throws: changes that were
// not flushed are dropped, so a section that failed half-way leaves the file as it was.
class TIniFile
{
public:
    explicit TIniFile(std::string fileName, FileSystem &fileSystem = RealFileSystem());

    TIniFile(const TIniFile &) = delete;
    TIniFile &operator=(const TIniFile &) = delete;

    const std::string &FileName() const { return m_fileName; }

    // Writes pending changes to disk atomically; does nothing when nothing changed. Throws
    // IniWriteError when the file cannot be written, leaving it as it was.
    void UpdateFile();

    // The key's value as a view into the file held in memory, valid until the next write:
    // without the blanks around it (and one pair of enclosing quotes), cut to 2047 characters;
    // nullopt when the file, the section or the key is missing. Keys and sections match
    // without regard to ASCII letter case.
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key)
    {
        return m_profile.Find(section, key);
    }
    // Sets the key's value in place, or appends the key to its section, or the section to the
    // file. Throws IniWriteError when the file would change and cannot be written, or when the
    // section, key or value would change the file's structure (a line break, a NUL byte, a "]"
    // in a section name, a "=" in a key name), or when the file is UTF-16, which is never
    // written.
    void WriteValue(std::string_view section, std::string_view key, std::string_view value)
    {
        if (!m_profile.WriteString(section, key, value))
            throw IniWriteError(FileName());
    }

    // FindValue() of every key of one section in one call: values[i] for keys[i].
    void FindValues(std::string_view section,
                    std::span<const std::string_view> keys,
                    std::span<std::optional<std::string_view>> values)
    {
        m_profile.FindAll(section, keys, values);
    }
    // WriteValue() of each key of one section whose value is given, in order, in one call.
    void WriteValues(std::string_view section,
                     std::span<const std::string_view> keys,
                     std::span<const std::optional<std::string_view>> values)
    {
        if (!m_profile.WriteAll(section, keys, values))
            throw IniWriteError(FileName());
    }

private:
    std::string m_fileName;
    PrivateProfileFile m_profile;
};
