#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Letter case the way Windows file and registry names ignore it here: ASCII letters only, so
// that bytes of UTF-8 sequences are never touched.

inline char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return AsciiUpper(c); });
    return upper;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return AsciiUpper(x) == AsciiUpper(y);
    });
}

// Whether the two hold the same bytes. Names and values in a client file are mostly shorter
// than 16 bytes, which two overlapping loads of a fixed size compare without a call of
// memcmp().
inline bool SameBytes(std::string_view a, std::string_view b)
{
    const std::size_t size = a.size();
    if (size != b.size())
        return false;
    const auto equalAt = [&](std::size_t at, auto word) {
        decltype(word) left;
        decltype(word) right;
        std::memcpy(&left, a.data() + at, sizeof word);
        std::memcpy(&right, b.data() + at, sizeof word);
        return left == right;
    };
    if (size >= 8 && size <= 16)
        return equalAt(0, std::uint64_t{}) && equalAt(size - 8, std::uint64_t{});
    if (size >= 4 && size < 8)
        return equalAt(0, std::uint32_t{}) && equalAt(size - 4, std::uint32_t{});
    if (size < 4)
        return std::equal(a.begin(), a.end(), b.begin());
    return std::memcmp(a.data(), b.data(), size) == 0;
}
