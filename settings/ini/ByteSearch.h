#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// The offset of the first byte at or after from that is a, b or c; the text's size when there
// is none. Eight bytes are tested at once: a key line of a client file is some twenty bytes,
// where a call of memchr() per byte sought would cost more than the search itself.
inline std::size_t FindAnyOf(std::string_view text, std::size_t from, char a, char b, char c)
{
    const char *data = text.data();
    const std::size_t size = text.size();
    std::size_t at = from;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t Ones = 0x0101010101010101ULL;
        constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
        // A high bit in each byte that is zero. A byte above a zero one may be marked too, never
        // one below it, so the lowest mark is always a true one.
        const auto zeroBytes = [](std::uint64_t word) { return (word - Ones) & ~word & HighBits; };
        const std::uint64_t aBytes = Ones * static_cast<unsigned char>(a);
        const std::uint64_t bBytes = Ones * static_cast<unsigned char>(b);
        const std::uint64_t cBytes = Ones * static_cast<unsigned char>(c);
        for (; at + sizeof(std::uint64_t) <= size; at += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, data + at, sizeof word);
            const std::uint64_t marks
                = zeroBytes(word ^ aBytes) | zeroBytes(word ^ bBytes) | zeroBytes(word ^ cBytes);
            if (marks != 0)
                return at + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
        }
    }
    for (; at < size; ++at) {
        const char byte = data[at];
        if (byte == a || byte == b || byte == c)
            return at;
    }
    return size;
}

// Where a key line that starts at from ends (its first CR or LF, or the text's end), and where
// its first "=" stands (where it ends, when it has none): one pass over the line instead of a
// search for the "=" and another for the line's end.
struct KeyLineSplit
{
    std::size_t equals;
    std::size_t contentEnd;
};

inline KeyLineSplit SplitKeyLine(std::string_view text, std::size_t from)
{
    const char *data = text.data();
    const std::size_t size = text.size();
    std::size_t equals = size;
    std::size_t at = from;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t Ones = 0x0101010101010101ULL;
        constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
        const auto zeroBytes = [](std::uint64_t word) { return (word - Ones) & ~word & HighBits; };
        for (; at + sizeof(std::uint64_t) <= size; at += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, data + at, sizeof word);
            const std::uint64_t breaks
                = zeroBytes(word ^ (Ones * '\r')) | zeroBytes(word ^ (Ones * '\n'));
            const std::uint64_t equalSigns = equals == size ? zeroBytes(word ^ (Ones * '=')) : 0;
            // The lowest mark of each kind is always a true one; an "=" past the line's end
            // is cut back to it below.
            if (equalSigns != 0)
                equals = at + static_cast<std::size_t>(std::countr_zero(equalSigns)) / 8;
            if (breaks != 0) {
                const std::size_t end = at + static_cast<std::size_t>(std::countr_zero(breaks)) / 8;
                return {std::min(equals, end), end};
            }
        }
    }
    for (; at < size; ++at) {
        const char byte = data[at];
        if (byte == '\r' || byte == '\n')
            break;
        if (byte == '=' && equals == size)
            equals = at;
    }
    return {std::min(equals, at), at};
}
