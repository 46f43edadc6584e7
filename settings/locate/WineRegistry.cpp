#include "locate/WineRegistry.h"

#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::string_view RegistryHeader = "WINE REGISTRY Version 2";

// One line at a time, without its line break (a Windows line break included).
class LineReader
{
public:
    explicit LineReader(std::string_view text)
        : m_text(text)
    {}

    bool Next(std::string_view &line)
    {
        if (m_position >= m_text.size())
            return false;
        auto end = m_text.find('\n', m_position);
        if (end == std::string_view::npos)
            end = m_text.size();
        line = m_text.substr(m_position, end - m_position);
        m_position = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
};

// Builds UTF-8 from the file's characters and the UTF-16 code units of its escapes. The text
// ends at the first NUL, as the C string the game's installer meant would.
class Utf8Text
{
public:
    // A character as it stands in the file (UTF-8 bytes pass through).
    bool AddByte(char byte)
    {
        if (m_highSurrogate != 0)
            return false;
        if (byte == '\0')
            m_ended = true;
        if (!m_ended)
            m_text += byte;
        return true;
    }

    // A UTF-16 code unit; false on a surrogate without its partner.
    bool AddUnit(std::uint32_t unit)
    {
        if (m_highSurrogate != 0) {
            if (unit < 0xDC00 || unit > 0xDFFF)
                return false;
            AddCodePoint(0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00));
            m_highSurrogate = 0;
            return true;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = unit;
            return true;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return false;
        AddCodePoint(unit);
        return true;
    }

    std::optional<std::string> Finish()
    {
        if (m_highSurrogate != 0)
            return std::nullopt;
        return std::move(m_text);
    }

private:
    void AddCodePoint(std::uint32_t point)
    {
        if (point == 0)
            m_ended = true;
        if (m_ended)
            return;
        if (point < 0x80) {
            m_text += static_cast<char>(point);
        } else if (point < 0x800) {
            m_text += static_cast<char>(0xC0 | (point >> 6));
            m_text += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            m_text += static_cast<char>(0xE0 | (point >> 12));
            m_text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            m_text += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            m_text += static_cast<char>(0xF0 | (point >> 18));
            m_text += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            m_text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            m_text += static_cast<char>(0x80 | (point & 0x3F));
        }
    }

    std::string m_text;
    std::uint32_t m_highSurrogate = 0;
    bool m_ended = false;
};

// "\x" with up to four hexadecimal digits, or up to three octal ones ("\0", "\033").
bool ReadNumericEscape(
    std::string_view text, std::size_t &position, int base, int maxDigits, Utf8Text &out)
{
    std::uint32_t unit = 0;
    int digits = 0;
    for (; digits < maxDigits && position < text.size(); ++digits, ++position) {
        const int digit = DigitValue(text[position], base);
        if (digit < 0)
            break;
        unit = unit * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return digits > 0 && out.AddUnit(unit);
}

bool ReadEscape(std::string_view text, std::size_t &position, Utf8Text &out)
{
    const char c = text[position++];
    switch (c) {
    case 'a':
        return out.AddUnit('\a');
    case 'b':
        return out.AddUnit('\b');
    case 'e':
        return out.AddUnit(0x1B);
    case 'f':
        return out.AddUnit('\f');
    case 'n':
        return out.AddUnit('\n');
    case 'r':
        return out.AddUnit('\r');
    case 't':
        return out.AddUnit('\t');
    case 'v':
        return out.AddUnit('\v');
    case 'x':
        return ReadNumericEscape(text, position, 16, 4, out);
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        --position;
        return ReadNumericEscape(text, position, 8, 3, out);
    }
    return out.AddByte(c); // "\\", "\"", "\[", "\]" and any other character stand for themselves
}

// The escaped text from position up to the unescaped closing character; position ends just past
// it. nullopt when the line ends first or an escape is broken.
std::optional<std::string> ReadEscaped(std::string_view text, std::size_t &position, char closing)
{
    Utf8Text out;
    while (position < text.size()) {
        const char c = text[position++];
        if (c == closing)
            return out.Finish();
        const bool read = c == '\\' ? position < text.size() && ReadEscape(text, position, out)
                                    : out.AddByte(c);
        if (!read)
            return std::nullopt;
    }
    return std::nullopt;
}

bool IsDecimal(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "[Software\\Classes] 1796674223": the key name, or nullopt for a malformed line.
std::optional<std::string> ParseKeyLine(std::string_view line)
{
    std::size_t position = 1;
    auto name = ReadEscaped(line, position, ']');
    if (!name)
        return std::nullopt;
    const auto rest = line.substr(position);
    if (!rest.empty() && !(rest.front() == ' ' && IsDecimal(rest.substr(1))))
        return std::nullopt;
    return name;
}

struct ValueLine
{
    std::string name;
    std::optional<std::string> text; // nullopt for a value that is not text
    bool continues = false;          // binary data goes on on the next line
};

// The data after "=": text for a plain or expandable string, nothing for every other type.
std::optional<ValueLine> ParseValueData(std::string_view data, ValueLine value)
{
    constexpr std::string_view ExpandablePrefix = "str(2):";
    if (data.starts_with(ExpandablePrefix))
        data.remove_prefix(ExpandablePrefix.size());
    else if (!data.starts_with('"')) {
        value.continues = !data.starts_with("str(") && data.ends_with('\\');
        return value;
    }
    std::size_t position = 1;
    value.text = data.starts_with('"') ? ReadEscaped(data, position, '"') : std::nullopt;
    if (!value.text || position != data.size())
        return std::nullopt;
    return value;
}

// `"Name"=data` or `@=data`; nullopt for a malformed line.
std::optional<ValueLine> ParseValueLine(std::string_view line)
{
    ValueLine value;
    std::size_t position = 1;
    if (!line.starts_with('@')) {
        auto name = line.starts_with('"') ? ReadEscaped(line, position, '"') : std::nullopt;
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    }
    if (position >= line.size() || line[position] != '=')
        return std::nullopt;
    return ParseValueData(line.substr(position + 1), std::move(value));
}

bool IsSkippedLine(std::string_view line)
{
    return line.empty() || line.front() == '#' || line.front() == ';';
}

} // namespace

std::optional<std::string> ReadRegistryText(std::string_view fileContent,
                                            std::initializer_list<std::string_view> keyPaths,
                                            std::string_view valueName)
{
    LineReader lines(fileContent);
    std::string_view line;
    if (!lines.Next(line) || line != RegistryHeader)
        return std::nullopt;
    std::vector<std::optional<ValueLine>> found(keyPaths.size());
    const auto noKey = keyPaths.end();
    auto key = noKey;
    bool continuation = false;
    while (lines.Next(line)) {
        if (continuation) {
            continuation = line.ends_with('\\');
        } else if (line.starts_with('[')) {
            const auto name = ParseKeyLine(line);
            if (!name)
                return std::nullopt;
            key = std::find_if(keyPaths.begin(), keyPaths.end(), [&](std::string_view path) {
                return EqualsIgnoringAsciiCase(*name, path);
            });
        } else if (key != noKey && !IsSkippedLine(line)) {
            auto value = ParseValueLine(line);
            if (!value)
                return std::nullopt;
            continuation = value->continues;
            auto &slot = found[static_cast<std::size_t>(key - keyPaths.begin())];
            if (!slot && EqualsIgnoringAsciiCase(value->name, valueName))
                slot = std::move(value);
        }
    }
    for (auto &value : found) {
        if (value && value->text && !value->text->empty())
            return std::move(value->text);
    }
    return std::nullopt;
}
