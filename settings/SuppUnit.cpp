#include "SuppUnit.h"

#include "IntegerText.h"

#include <algorithm>

namespace {

constexpr std::int32_t HighestLevel = 4;

std::string UpperAscii(std::string text)
{
    for (auto &c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace

std::string TDMStyleIniFile::ReadText(const std::string &section,
                                      const std::string &key,
                                      const std::string &defaultValue)
{
    return ReadString(section, key, defaultValue);
}

void TDMStyleIniFile::WriteText(const std::string &section,
                                const std::string &key,
                                const std::string &value)
{
    WriteString(section, key, value);
}

std::int32_t TDMStyleIniFile::ReadNumber(const std::string &section,
                                         const std::string &key,
                                         std::int32_t defaultValue)
{
    return ReadInteger(section, key, defaultValue);
}

void TDMStyleIniFile::WriteNumber(const std::string &section,
                                  const std::string &key,
                                  std::int32_t value)
{
    WriteText(section, key, std::to_string(value));
}

bool TDMStyleIniFile::ReadDigitFlag(const std::string &section,
                                    const std::string &key,
                                    bool defaultValue)
{
    return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TDMStyleIniFile::WriteDigitFlag(const std::string &section, const std::string &key, bool value)
{
    WriteText(section, key, value ? "1" : "0");
}

bool TDMStyleIniFile::ReadTrueFalse(const std::string &section,
                                    const std::string &key,
                                    bool defaultValue)
{
    return UpperAscii(ReadText(section, key, defaultValue ? "TRUE" : "FALSE")) == "TRUE";
}

void TDMStyleIniFile::WriteTrueFalse(const std::string &section, const std::string &key, bool value)
{
    WriteText(section, key, value ? "TRUE" : "FALSE");
}

std::int32_t TDMStyleIniFile::ReadOffLevel(const std::string &section,
                                           const std::string &key,
                                           std::int32_t defaultValue)
{
    const auto text = ReadText(section, key, std::to_string(defaultValue));
    if (text == "OFF")
        return 0;
    const auto level = ParseInteger(text);
    return level ? std::clamp(*level, 0, HighestLevel) : HighestLevel;
}

void TDMStyleIniFile::WriteOffLevel(const std::string &section,
                                    const std::string &key,
                                    std::int32_t value)
{
    if (value == 0)
        WriteText(section, key, "OFF");
    else if (value > 0 && value <= HighestLevel)
        WriteText(section, key, std::to_string(value));
}
