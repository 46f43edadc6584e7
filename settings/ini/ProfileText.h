#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The bytes that the platform's private-profile reader treats apart from the rest: blanks, the
// NUL byte and line endings. Every scan that finds a section, a key or a value goes through
// these, so that what we find is what the game finds.

// Space, tab, vertical tab, form feed and 0x1A (the end-of-file mark of old DOS text files):
// the platform trims all of them around section names, key names and values. Most bytes are
// printable, so one comparison tells them apart; this runs over every line of a section read.
inline bool IsProfileBlank(char c)
{
    constexpr std::uint64_t Blanks
        = (1ULL << ' ') | (1ULL << '\t') | (1ULL << '\v') | (1ULL << '\f') | (1ULL << 0x1A);
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && ((Blanks >> byte) & 1) != 0;
}

inline std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsProfileBlank(text[begin]))
        ++begin;
    while (end > begin && IsProfileBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// The text up to its first NUL byte: the platform hands names and values over as C strings, so
// a NUL in the file ends them. Names and values are short: a plain loop finds it sooner than a
// call of memchr() would.
inline std::string_view UpToNul(std::string_view text)
{
    if (text.size() > 32)
        return text.substr(0, std::min(text.find('\0'), text.size()));
    return text.substr(
        0, static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin()));
}

// A section's or a key's name as the game matches it, from the text between "[" and "]" or
// before the "=". Trimmed first and cut after, as the platform does: "k \0x" names "k ", which
// no request for "k" finds.
inline std::string_view NameAsRead(std::string_view rawName)
{
    return UpToNul(TrimBlanks(rawName));
}

// The size of the line ending at the start of the text (the text from a line's first CR or LF):
// CRLF, and LF CR unless its CR starts a CRLF, end a line as one, so that a line added after
// either leaves its ending as it was; else a lone CR or LF; none at the text's end.
inline std::size_t LineEndingSize(std::string_view fromBreak)
{
    const std::size_t size = fromBreak.size();
    if (size == 0)
        return 0;
    if (size == 1)
        return 1;
    // Plain comparisons: this runs once for every line of a section read.
    const char first = fromBreak[0];
    const char second = fromBreak[1];
    if (first == '\r')
        return second == '\n' ? 2 : 1;
    const bool crStartsCrLf = size > 2 && fromBreak[2] == '\n';
    return second == '\r' && !crStartsCrLf ? 2 : 1;
}

// The longest value a read gives, as the platform's 2048-byte buffer holds it.
inline constexpr std::size_t MaxValueLength = 2047;

// What a read gives of a key line's value, from the line's text that starts at its first "="
// (empty for a line without one): the text after the "=", without the blanks around it and one
// pair of matching enclosing quotes. The platform hands values over as C strings, so a NUL byte
// ends one; cutting here too means writing back a read value never changes the line. A caller
// that knows the text holds no NUL byte spares the search for one. Inline: it runs for every key
// a load reads.
inline std::string_view ReadableValueFrom(std::string_view fromEquals, bool mayHoldNul = true)
{
    if (fromEquals.empty())
        return {};
    auto value = TrimBlanks(fromEquals.substr(1));
    const auto isQuote = [](char c) { return c == '"' || c == '\''; };
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (mayHoldNul)
        value = UpToNul(value);
    return value.substr(0, std::min(value.size(), MaxValueLength));
}
