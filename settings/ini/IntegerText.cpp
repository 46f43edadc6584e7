#include "ini/IntegerText.h"

#include <cstddef>
#include <limits>

namespace {

// The digits that make up the rest of the text, up to limit; nullopt when there are none, a
// character is no digit of the base, or the value goes past the limit.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base, std::uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseHexadecimal(std::string_view digits)
{
    const auto value = ParseDigits(digits, 16, std::numeric_limits<std::uint32_t>::max());
    if (!value)
        return std::nullopt;
    // All 32 bits are the value's own: $FFFFFFFF is -1.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text)
{
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    const std::uint64_t magnitudeLimit
        = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    const auto magnitude = ParseDigits(text, 10, magnitudeLimit);
    if (!magnitude)
        return std::nullopt;
    const auto signedValue = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

std::size_t HexPrefixLength(std::string_view text)
{
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        return 1;
    if (text.starts_with("0x") || text.starts_with("0X"))
        return 2;
    return 0;
}

// Most numbers a load reads are a few plain digits; nine of them cannot overflow.
std::optional<std::int32_t> ShortPlainDecimal(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + static_cast<std::int32_t>(digit);
    }
    return value;
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    if (const auto plain = ShortPlainDecimal(text))
        return plain;
    // A plain loop: find_first_not_of() with a set searches the set once per character, and
    // every number a load reads passes through here.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    if (const auto prefix = HexPrefixLength(text))
        return ParseHexadecimal(text.substr(prefix));
    return ParseDecimal(text);
}

int DigitValue(char c, int base)
{
    int value = base;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}
