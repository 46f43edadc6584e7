#pragma once

#include <algorithm>
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
