#include "ProfileDocument.h"

#include "ProfileLine.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
// UTF-16 in either byte order; the first also starts UTF-32 little-endian.
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view Utf32BigEndianMark = std::string_view("\0\0\xFE\xFF", 4);
constexpr std::size_t NoLine = static_cast<std::size_t>(-1);
// The longest value a read gives, as the platform's 2048-byte buffer holds it.
constexpr std::size_t MaxValueLength = 2047;

bool StartsWithWideMark(std::string_view text)
{
    return text.starts_with(Utf16LittleEndianMark) || text.starts_with(Utf16BigEndianMark)
           || text.starts_with(Utf32BigEndianMark);
}

// What a read gives of a key line's value. The platform hands values over as C strings, so a
// NUL byte ends one; cutting here too means writing back a read value never changes the line.
std::string_view ReadableValue(std::string_view keyLine)
{
    const auto value = ReadValue(keyLine);
    return value.substr(0, std::min(value.find('\0'), MaxValueLength));
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct EndingCounts
{
    std::size_t crlf = 0;
    std::size_t lf = 0;
    std::size_t cr = 0;

    // The ending most lines use; CRLF on a tie and in a file without line breaks.
    std::string_view Dominant() const
    {
        if (lf > crlf && lf > cr)
            return "\n";
        if (cr > crlf && cr > lf)
            return "\r";
        return "\r\n";
    }
};

} // namespace

std::size_t CaseInsensitiveHash::operator()(std::string_view text) const noexcept
{
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(LowerAscii(c));
        hash *= 1099511628211ULL;
    }
    return static_cast<std::size_t>(hash);
}

bool CaseInsensitiveEqual::operator()(std::string_view left, std::string_view right) const noexcept
{
    return left.size() == right.size()
           && std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
                  return LowerAscii(a) == LowerAscii(b);
              });
}

ProfileDocument::ProfileDocument(std::string text)
    : m_text(std::move(text))
    , m_wide(StartsWithWideMark(m_text))
{
    if (m_wide)
        return; // no lines, no sections: every read gives its default
    if (std::string_view(m_text).starts_with(ByteOrderMark))
        m_bodyStart = ByteOrderMark.size();
    SplitLines();
    IndexLines();
}

void ProfileDocument::SplitLines()
{
    EndingCounts endings;
    const std::string_view text(m_text);
    // The next CR and LF at or after the line's start, each searched with memchr() only when
    // the line has passed it: a large file is split at the speed of the C library.
    std::size_t begin = m_bodyStart;
    std::size_t nextCr = std::min(text.find('\r', begin), text.size());
    std::size_t nextLf = std::min(text.find('\n', begin), text.size());
    while (begin < text.size()) {
        if (nextCr < begin)
            nextCr = std::min(text.find('\r', begin), text.size());
        if (nextLf < begin)
            nextLf = std::min(text.find('\n', begin), text.size());
        const std::size_t contentEnd = std::min(nextCr, nextLf);
        std::size_t end = contentEnd;
        if (end == text.size()) {
            // The last line, without an ending.
        } else if (end == nextCr && nextLf == end + 1) {
            end += 2;
            ++endings.crlf;
        } else {
            ++(end == nextLf ? endings.lf : endings.cr);
            ++end;
        }
        m_lines.push_back({begin, contentEnd, end});
        begin = end;
    }
    m_newLine = endings.Dominant();
}

void ProfileDocument::IndexLines()
{
    std::size_t current = NoLine; // the section whose keys count; none before the first header
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        const auto parsed = ParseLine(OriginalLine(line));
        if (parsed.kind == LineKind::Header) {
            if (current != NoLine)
                m_sections[current].endLine = line;
            // Only the first section of a name counts; the keys of a later one are never seen.
            const auto [found, added] = m_sectionIndex.try_emplace(parsed.name, m_sections.size());
            current = added ? found->second : NoLine;
            if (added)
                m_sections.push_back({parsed.name, line, m_lines.size(), line, false, {}, {}});
        } else if (parsed.kind == LineKind::Key && current != NoLine) {
            m_sections[current].anchorLine = line;
        }
    }
}

const ProfileDocument::KeyIndex &ProfileDocument::Keys(const Section &section) const
{
    if (!section.keysIndexed) {
        section.keys.reserve(section.endLine - section.headerLine);
        for (std::size_t line = section.headerLine + 1; line < section.endLine; ++line) {
            const auto parsed = ParseLine(OriginalLine(line));
            if (parsed.kind == LineKind::Key && !parsed.name.empty())
                section.keys.try_emplace(parsed.name, KeyPlace{false, line});
        }
        section.keysIndexed = true;
    }
    return section.keys;
}

std::optional<ProfileDocument::KeyPlace> ProfileDocument::FindKey(const Section &section,
                                                                  std::string_view key) const
{
    const auto &keys = Keys(section);
    const auto found = keys.find(key);
    return found == keys.end() ? std::nullopt : std::optional(found->second);
}

std::string_view ProfileDocument::OriginalLine(std::size_t line) const
{
    const auto &span = m_lines[line];
    return std::string_view(m_text).substr(span.begin, span.contentEnd - span.begin);
}

bool ProfileDocument::StartsWithLineFeed(std::size_t line) const
{
    return m_text[m_lines[line].begin] == '\n';
}

std::string_view ProfileDocument::Ending(std::size_t line) const
{
    const auto &span = m_lines[line];
    return std::string_view(m_text).substr(span.contentEnd, span.end - span.contentEnd);
}

std::string_view ProfileDocument::LineContent(const Section &section, KeyPlace place) const
{
    if (place.added)
        return section.addedLines[place.index];
    const auto rewritten = m_rewrittenLines.find(place.index);
    return rewritten == m_rewrittenLines.end() ? OriginalLine(place.index)
                                               : std::string_view(rewritten->second);
}

std::string &ProfileDocument::EditableLine(Section &section, KeyPlace place)
{
    if (place.added)
        return section.addedLines[place.index];
    return m_rewrittenLines.try_emplace(place.index, OriginalLine(place.index)).first->second;
}

const ProfileDocument::Section *ProfileDocument::FindSection(std::string_view name) const
{
    const auto found = m_sectionIndex.find(name);
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section,
                                                       std::string_view key) const
{
    const auto *found = FindSection(section);
    const auto place = found ? FindKey(*found, key) : std::nullopt;
    if (!place)
        return std::nullopt;
    return ReadableValue(LineContent(*found, *place));
}

bool ProfileDocument::WouldChange(std::string_view section,
                                  std::string_view key,
                                  std::string_view value) const
{
    const auto *found = FindSection(section);
    const auto place = found ? FindKey(*found, key) : std::nullopt;
    if (!place)
        return true;
    // The value a read already gives stays as it is spelt, quotes, blanks and length included.
    const auto line = LineContent(*found, *place);
    if (ReadableValue(line) == value)
        return false;
    return RewriteValue(line, value) != line;
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!WouldChange(section, key, value))
        return;
    const auto found = m_sectionIndex.find(section);
    auto &target = found == m_sectionIndex.end() ? AddSection(section) : m_sections[found->second];
    const auto place = FindKey(target, key);
    if (!place) {
        AddKey(target, key, value);
        return;
    }
    auto &line = EditableLine(target, *place);
    line = RewriteValue(line, value);
}

ProfileDocument::Section &ProfileDocument::AddSection(std::string_view name)
{
    const std::string_view storedName = m_addedNames.emplace_back(name);
    m_sectionIndex.emplace(storedName, m_sections.size());
    m_addedSections.push_back(m_sections.size());
    return m_sections.emplace_back(Section{storedName, NoLine, NoLine, NoLine, true, {}, {}});
}

void ProfileDocument::AddKey(Section &section, std::string_view key, std::string_view value)
{
    const std::string_view storedKey = m_addedNames.emplace_back(key);
    section.addedLines.push_back(KeyLine(storedKey, value));
    section.keys.emplace(storedKey, KeyPlace{true, section.addedLines.size() - 1});
}

void ProfileDocument::AppendAddedLines(std::string &out,
                                       const std::vector<std::string> &lines) const
{
    for (const auto &line : lines) {
        out += line;
        out += m_newLine;
    }
}

std::string ProfileDocument::Serialise() const
{
    // The sections that got new keys, in the order of the lines they follow.
    std::vector<std::pair<std::size_t, std::size_t>> anchors;
    for (std::size_t index = 0; index < m_sections.size(); ++index) {
        if (m_sections[index].anchorLine != NoLine && !m_sections[index].addedLines.empty())
            anchors.emplace_back(m_sections[index].anchorLine, index);
    }
    std::sort(anchors.begin(), anchors.end());

    std::string out;
    out.reserve(m_text.size() + m_text.size() / 8 + 256);
    out.append(m_text, 0, m_bodyStart);
    auto nextAnchor = anchors.begin();
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        const auto rewritten = m_rewrittenLines.find(line);
        out += rewritten == m_rewrittenLines.end() ? OriginalLine(line)
                                                   : std::string_view(rewritten->second);
        const bool isAnchor = nextAnchor != anchors.end() && nextAnchor->first == line;
        auto ending = Ending(line);
        // Only the last line can lack an ending; it gets one when new lines follow it.
        if (ending.empty() && (isAnchor || !m_addedSections.empty()))
            ending = m_newLine;
        out += ending;
        if (isAnchor) {
            AppendAddedLines(out, m_sections[(nextAnchor++)->second].addedLines);
            // A lone CR before a line that starts with LF would make one CRLF of the two and
            // swallow that (blank) line.
            if (out.back() == '\r' && line + 1 < m_lines.size() && StartsWithLineFeed(line + 1))
                out += '\n';
        }
    }
    for (const auto index : m_addedSections) {
        out += HeaderLine(m_sections[index].name);
        out += m_newLine;
        AppendAddedLines(out, m_sections[index].addedLines);
    }
    return out;
}
