#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

// Splits a text into lines from a given offset on, each line ending at CR, LF or CRLF. The
// next CR and the next LF are each searched with memchr() only once the lines have passed the
// last one found, so a run of short lines costs little more than the C library's search.
class LineCursor
{
public:
    struct Line
    {
        std::size_t begin;
        std::size_t contentEnd; // where the line ending starts
        std::size_t end;        // past the line ending
    };

    LineCursor(std::string_view text, std::size_t begin);

    // The next line; nullopt at the end of the text.
    std::optional<Line> Next();

    // How many LF the rest of the text holds: one for each line, in most files.
    std::size_t CountLineFeeds() const;

private:
    std::size_t NextOf(char c, std::size_t from) const;

    std::string_view m_text;
    std::size_t m_begin;
    std::size_t m_nextCr;
    std::size_t m_nextLf;
};

inline LineCursor::LineCursor(std::string_view text, std::size_t begin)
    : m_text(text)
    , m_begin(begin)
    , m_nextCr(NextOf('\r', begin))
    , m_nextLf(NextOf('\n', begin))
{}

inline std::size_t LineCursor::NextOf(char c, std::size_t from) const
{
    return std::min(m_text.find(c, from), m_text.size());
}

inline std::optional<LineCursor::Line> LineCursor::Next()
{
    if (m_begin >= m_text.size())
        return std::nullopt;
    if (m_nextCr < m_begin)
        m_nextCr = NextOf('\r', m_begin);
    if (m_nextLf < m_begin)
        m_nextLf = NextOf('\n', m_begin);
    const std::size_t contentEnd = std::min(m_nextCr, m_nextLf);
    std::size_t end = contentEnd;
    // Only an LF that is there makes a CRLF: at the text's end m_nextLf stands just past it.
    const bool crLf = end == m_nextCr && m_nextLf == end + 1 && m_nextLf < m_text.size();
    if (end < m_text.size())
        end += crLf ? 2 : 1;
    const Line line{m_begin, contentEnd, end};
    m_begin = end;
    return line;
}

inline std::size_t LineCursor::CountLineFeeds() const
{
    std::size_t count = 0;
    for (auto at = m_text.find('\n', m_begin); at != std::string_view::npos;
         at = m_text.find('\n', at + 1))
        ++count;
    return count;
}
