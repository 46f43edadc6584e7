#include "ini/SuppUnit.h"

#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::int32_t HighestLevel = 4;

// A number in decimal, in a buffer of its own rather than a string.
class DecimalText
{
public:
    explicit DecimalText(std::int32_t value)
        : m_size(static_cast<std::size_t>(
            std::to_chars(m_digits, m_digits + sizeof m_digits, value).ptr - m_digits))
    {}

    std::string_view view() const { return {m_digits, m_size}; }

private:
    char m_digits[12]; // "-2147483648"
    std::size_t m_size;
};

} // namespace

std::int32_t NumberFromText(std::optional<std::string_view> text, std::int32_t defaultValue)
{
    if (text) {
        if (const auto number = ParseInteger(*text))
            return *number;
    }
    return defaultValue;
}

bool DigitFlagFromText(std::optional<std::string_view> text, bool defaultValue)
{
    return NumberFromText(text, defaultValue ? 1 : 0) != 0;
}

bool TrueFalseFromText(std::optional<std::string_view> text, bool defaultValue)
{
    return text ? EqualsIgnoringAsciiCase(*text, "TRUE") : defaultValue;
}

std::int32_t OffLevelFromText(std::optional<std::string_view> text, std::int32_t defaultValue)
{
    const DecimalText defaultText(defaultValue);
    const auto level = text.value_or(defaultText.view());
    if (level == "OFF")
        return 0;
    const auto number = ParseInteger(level);
    return number ? std::clamp(*number, 0, HighestLevel) : HighestLevel;
}

std::string TDMStyleIniFile::ReadText(std::string_view section,
                                      std::string_view key,
                                      std::string_view defaultValue)
{
    return std::string(FindValue(section, key).value_or(defaultValue));
}

void TDMStyleIniFile::WriteText(std::string_view section,
                                std::string_view key,
                                std::string_view value)
{
    WriteValue(section, key, value);
}

std::int32_t TDMStyleIniFile::ReadNumber(std::string_view section,
                                         std::string_view key,
                                         std::int32_t defaultValue)
{
    return NumberFromText(FindValue(section, key), defaultValue);
}

void TDMStyleIniFile::WriteNumber(std::string_view section,
                                  std::string_view key,
                                  std::int32_t value)
{
    WriteText(section, key, DecimalText(value).view());
}

bool TDMStyleIniFile::ReadDigitFlag(std::string_view section,
                                    std::string_view key,
                                    bool defaultValue)
{
    return DigitFlagFromText(FindValue(section, key), defaultValue);
}

void TDMStyleIniFile::WriteDigitFlag(std::string_view section, std::string_view key, bool value)
{
    WriteText(section, key, value ? "1" : "0");
}

bool TDMStyleIniFile::ReadTrueFalse(std::string_view section,
                                    std::string_view key,
                                    bool defaultValue)
{
    return TrueFalseFromText(FindValue(section, key), defaultValue);
}

void TDMStyleIniFile::WriteTrueFalse(std::string_view section, std::string_view key, bool value)
{
    WriteText(section, key, value ? "TRUE" : "FALSE");
}

std::int32_t TDMStyleIniFile::ReadOffLevel(std::string_view section,
                                           std::string_view key,
                                           std::int32_t defaultValue)
{
    return OffLevelFromText(FindValue(section, key), defaultValue);
}

void TDMStyleIniFile::WriteOffLevel(std::string_view section,
                                    std::string_view key,
                                    std::int32_t value)
{
    if (value == 0)
        WriteText(section, key, "OFF");
    else if (value > 0 && value <= HighestLevel)
        WriteText(section, key, DecimalText(value).view());
}
