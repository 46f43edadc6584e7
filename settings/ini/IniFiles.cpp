#include "ini/IniFiles.h"

#include "ini/IniError.h"
#include "ini/IntegerText.h"

#include <utility>

TCustomIniFile::TCustomIniFile(std::string fileName)
    : m_fileName(std::move(fileName))
{}

std::int32_t TCustomIniFile::ReadInteger(const std::string &section,
                                         const std::string &key,
                                         std::int32_t defaultValue)
{
    return ParseInteger(ReadString(section, key, std::string())).value_or(defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string &section,
                                  const std::string &key,
                                  std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

bool TCustomIniFile::ReadBool(const std::string &section, const std::string &key, bool defaultValue)
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string &section, const std::string &key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

TIniFile::TIniFile(std::string fileName, FileSystem &fileSystem)
    : TCustomIniFile(std::move(fileName))
    , m_profile(FileName(), fileSystem)
{}

std::string TIniFile::ReadString(const std::string &section,
                                 const std::string &key,
                                 const std::string &defaultValue)
{
    return m_profile.GetString(section, key, defaultValue);
}

void TIniFile::WriteString(const std::string &section,
                           const std::string &key,
                           const std::string &value)
{
    WriteValue(section, key, value);
}

void TIniFile::UpdateFile()
{
    if (!m_profile.Flush())
        throw IniWriteError(FileName());
}
