#include "locate/HeroicGames.h"

#include <cstdint>

namespace {

// Deeper nesting than any settings file has; refusing it keeps a hostile file from exhausting
// the stack.
constexpr int MaxDepth = 64;

constexpr std::string_view PrefixKey = "winePrefix";

void AppendUtf8(std::string &text, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A validating reader of one JSON text that keeps the first game's "winePrefix".
class GamesConfigReader
{
public:
    explicit GamesConfigReader(std::string_view text)
        : m_text(text)
    {}

    std::optional<std::string> WinePrefix()
    {
        if (!ReadValue(0, true))
            return std::nullopt;
        SkipBlanks();
        // A path cannot hold a NUL.
        if (m_position != m_text.size() || !m_prefix || m_prefix->empty()
            || m_prefix->find('\0') != std::string::npos)
            return std::nullopt;
        return m_prefix;
    }

private:
    void SkipBlanks()
    {
        while (m_position < m_text.size()
               && (m_text[m_position] == ' ' || m_text[m_position] == '\t'
                   || m_text[m_position] == '\n' || m_text[m_position] == '\r'))
            ++m_position;
    }

    bool Take(char expected)
    {
        SkipBlanks();
        if (m_position >= m_text.size() || m_text[m_position] != expected)
            return false;
        ++m_position;
        return true;
    }

    bool TakeWord(std::string_view word)
    {
        if (!m_text.substr(m_position).starts_with(word))
            return false;
        m_position += word.size();
        return true;
    }

    char Peek()
    {
        SkipBlanks();
        return m_position < m_text.size() ? m_text[m_position] : '\0';
    }

    // onlyObjects: every value on the way here was an object's member, so an object at depth 1
    // is a game's settings.
    bool ReadValue(int depth, bool onlyObjects)
    {
        if (depth > MaxDepth)
            return false;
        switch (Peek()) {
        case '{':
            return ReadObject(depth, onlyObjects);
        case '[':
            return ReadArray(depth);
        case '"':
            return ReadString().has_value();
        case 't':
            return TakeWord("true");
        case 'f':
            return TakeWord("false");
        case 'n':
            return TakeWord("null");
        default:
            return ReadNumber();
        }
    }

    bool ReadObject(int depth, bool onlyObjects)
    {
        Take('{');
        if (Take('}'))
            return true;
        do {
            if (Peek() != '"')
                return false;
            const auto key = ReadString();
            if (!key || !Take(':'))
                return false;
            if (!ReadMember(*key, depth, onlyObjects))
                return false;
        } while (Take(','));
        return Take('}');
    }

    bool ReadMember(const std::string &key, int depth, bool onlyObjects)
    {
        const bool gamePrefix = onlyObjects && depth == 1 && key == PrefixKey && Peek() == '"';
        if (!gamePrefix)
            return ReadValue(depth + 1, onlyObjects);
        auto prefix = ReadString();
        if (!prefix)
            return false;
        if (!m_prefix)
            m_prefix = std::move(prefix);
        return true;
    }

    bool ReadArray(int depth)
    {
        Take('[');
        if (Take(']'))
            return true;
        do {
            if (!ReadValue(depth + 1, false))
                return false;
        } while (Take(','));
        return Take(']');
    }

    bool ReadDigits()
    {
        const auto start = m_position;
        while (m_position < m_text.size() && IsDigit(m_text[m_position]))
            ++m_position;
        return m_position > start;
    }

    bool ReadNumber()
    {
        TakeWord("-");
        if (TakeWord("0")) {
            if (m_position < m_text.size() && IsDigit(m_text[m_position]))
                return false;
        } else if (!ReadDigits()) {
            return false;
        }
        if (TakeWord(".") && !ReadDigits())
            return false;
        if (TakeWord("e") || TakeWord("E")) {
            if (!TakeWord("+"))
                TakeWord("-");
            return ReadDigits();
        }
        return true;
    }

    std::optional<std::uint32_t> ReadHex4()
    {
        if (m_text.size() - m_position < 4)
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_position++];
            const int digit = IsDigit(c)               ? c - '0'
                              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                       : -1;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return value;
    }

    // After "\u": one code point, a surrogate pair taken together; a lone surrogate is refused.
    std::optional<std::uint32_t> ReadUnicodeEscape()
    {
        const auto first = ReadHex4();
        if (!first || (*first >= 0xDC00 && *first <= 0xDFFF))
            return std::nullopt;
        if (*first < 0xD800 || *first > 0xDBFF)
            return first;
        if (!TakeWord("\\u"))
            return std::nullopt;
        const auto second = ReadHex4();
        if (!second || *second < 0xDC00 || *second > 0xDFFF)
            return std::nullopt;
        return 0x10000 + ((*first - 0xD800) << 10) + (*second - 0xDC00);
    }

    bool ReadEscape(std::string &text)
    {
        if (m_position >= m_text.size())
            return false;
        const char c = m_text[m_position++];
        constexpr std::string_view Escaped = "\"\\/bfnrt";
        constexpr std::string_view Meant = "\"\\/\b\f\n\r\t";
        if (const auto at = Escaped.find(c); at != std::string_view::npos) {
            text += Meant[at];
            return true;
        }
        if (c != 'u')
            return false;
        const auto codePoint = ReadUnicodeEscape();
        if (!codePoint)
            return false;
        AppendUtf8(text, *codePoint);
        return true;
    }

    std::optional<std::string> ReadString()
    {
        Take('"');
        std::string text;
        while (m_position < m_text.size()) {
            const char c = m_text[m_position++];
            if (c == '"')
                return text;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\')
                text += c;
            else if (!ReadEscape(text))
                return std::nullopt;
        }
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    std::optional<std::string> m_prefix;
};

} // namespace

std::optional<std::string> HeroicGamePrefix(std::string_view gamesConfigJson)
{
    return GamesConfigReader(gamesConfigJson).WinePrefix();
}
