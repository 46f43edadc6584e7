#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Where a key line that starts at from ends (its first CR or LF, or the text's end), where its
// first "=" stands and where its first NUL byte does (where it ends, when it has none): one pass
// over the line instead of a search for each. Names and values end at a NUL byte, which lines
// mostly lack, so knowing there is none spares looking for it in each.
struct KeyLineSplit
{
    std::size_t equals;
    std::size_t contentEnd;
    std::size_t nul;
};

inline KeyLineSplit SplitKeyLine(std::string_view text, std::size_t from)
{
    const char *data = text.data();
    const std::size_t size = text.size();
    std::size_t equals = size;
    std::size_t nul = size;
    std::size_t at = from;
#ifdef __SSE2__
    // Sixteen bytes at a time where the processor has the instructions for it: most key lines
    // take one or two steps.
    const __m128i carriageReturns = _mm_set1_epi8('\r');
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const __m128i equalSigns = _mm_set1_epi8('=');
    const __m128i zeros = _mm_setzero_si128();
    const auto marks
        = [](__m128i found) { return static_cast<unsigned>(_mm_movemask_epi8(found)); };
    for (; at + 16 <= size; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at));
        const unsigned breaks = marks(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, carriageReturns), _mm_cmpeq_epi8(chunk, lineFeeds)));
        if (equals == size) {
            if (const unsigned found = marks(_mm_cmpeq_epi8(chunk, equalSigns)))
                equals = at + static_cast<std::size_t>(std::countr_zero(found));
        }
        if (nul == size) {
            if (const unsigned found = marks(_mm_cmpeq_epi8(chunk, zeros)))
                nul = at + static_cast<std::size_t>(std::countr_zero(found));
        }
        if (breaks != 0) {
            const std::size_t end = at + static_cast<std::size_t>(std::countr_zero(breaks));
            return {std::min(equals, end), end, std::min(nul, end)};
        }
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t Ones = 0x0101010101010101ULL;
        constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
        const auto zeroBytes = [](std::uint64_t word) { return (word - Ones) & ~word & HighBits; };
        const auto firstMarked = [](std::size_t offset, std::uint64_t marks) {
            return offset + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
        };
        for (; at + sizeof(std::uint64_t) <= size; at += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, data + at, sizeof word);
            const std::uint64_t breaks
                = zeroBytes(word ^ (Ones * '\r')) | zeroBytes(word ^ (Ones * '\n'));
            const std::uint64_t equalSigns = equals == size ? zeroBytes(word ^ (Ones * '=')) : 0;
            const std::uint64_t nuls = nul == size ? zeroBytes(word) : 0;
            // The lowest mark of each kind is always a true one; an "=" or a NUL past the
            // line's end is cut back to it below.
            if (equalSigns != 0)
                equals = firstMarked(at, equalSigns);
            if (nuls != 0)
                nul = firstMarked(at, nuls);
            if (breaks != 0) {
                const std::size_t end = firstMarked(at, breaks);
                return {std::min(equals, end), end, std::min(nul, end)};
            }
        }
    }
    for (; at < size; ++at) {
        const char byte = data[at];
        if (byte == '\r' || byte == '\n')
            break;
        if (byte == '=' && equals == size)
            equals = at;
        if (byte == '\0' && nul == size)
            nul = at;
    }
    return {std::min(equals, at), at, std::min(nul, at)};
}
