#pragma once

#include "ini/IniError.h"
#include "ini/PrivateProfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The general INI accessor: one file, read and written one key at a time. Keys and sections
// match without regard to ASCII letter case.
class TCustomIniFile
{
public:
    explicit TCustomIniFile(std::string fileName);
    virtual ~TCustomIniFile() = default;

    TCustomIniFile(const TCustomIniFile &) = delete;
    TCustomIniFile &operator=(const TCustomIniFile &) = delete;

    const std::string &FileName() const { return m_fileName; }

    // The key's value without the blanks around it (and without one pair of enclosing quotes),
    // cut to 2047 characters; defaultValue when the file, the section or the key is missing.
    virtual std::string
    ReadString(const std::string &section, const std::string &key, const std::string &defaultValue)
        = 0;
    // Sets the key's value in place, or appends the key to its section, or the section to the
    // file. Throws IniWriteError when the file would change and cannot be written, or when the
    // section, key or value would change the file's structure (a line break, a NUL byte, a "]"
    // in a section name, a "=" in a key name), or when the file is UTF-16, which is never
    // written.
    virtual void
    WriteString(const std::string &section, const std::string &key, const std::string &value)
        = 0;
    // Writes pending changes to disk atomically; does nothing when nothing changed. Throws
    // IniWriteError when the file cannot be written, leaving it as it was.
    virtual void UpdateFile() = 0;

    // A number in decimal, or in hexadecimal after "$", "x" or "0x"; defaultValue otherwise.
    std::int32_t
    ReadInteger(const std::string &section, const std::string &key, std::int32_t defaultValue);
    void WriteInteger(const std::string &section, const std::string &key, std::int32_t value);
    // A number: non-zero is true; defaultValue when the text is no number.
    bool ReadBool(const std::string &section, const std::string &key, bool defaultValue);
    // "1" or "0".
    void WriteBool(const std::string &section, const std::string &key, bool value);

private:
    std::string m_fileName;
};

// The accessor over our own private-profile layer. It keeps the file in memory between calls;
// UpdateFile() writes it out. The destructor never writes and never throws: changes that were
// not flushed are dropped, so a section that failed half-way leaves the file as it was.
class TIniFile : public TCustomIniFile
{
public:
    explicit TIniFile(std::string fileName, FileSystem &fileSystem = RealFileSystem());

    std::string ReadString(const std::string &section,
                           const std::string &key,
                           const std::string &defaultValue) override;
    void WriteString(const std::string &section,
                     const std::string &key,
                     const std::string &value) override;
    void UpdateFile() override;

    // ReadString's value as a view into the file held in memory, valid until the next write;
    // nullopt where ReadString gives its default. The typed reads need no copy of it.
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key)
    {
        return m_profile.Find(section, key);
    }
    // WriteString for names and values that are not strings already.
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
    PrivateProfileFile m_profile;
};
