#include "ini/ProfileDocument.h"

#include "ini/ByteSearch.h"
#include "ini/ProfileLine.h"
#include "ini/ProfileText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t NoHeader = static_cast<std::size_t>(-1);

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
// UTF-16 in either byte order; the first also starts UTF-32 little-endian.
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view Utf32BigEndianMark = std::string_view("\0\0\xFE\xFF", 4);

bool StartsWithWideMark(std::string_view text)
{
    return text.starts_with(Utf16LittleEndianMark) || text.starts_with(Utf16BigEndianMark)
           || text.starts_with(Utf32BigEndianMark);
}

std::string_view ReadableValue(std::string_view keyLine)
{
    return ReadableValueFrom(keyLine.substr(std::min(keyLine.find('='), keyLine.size())));
}

bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r';
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

// How the lines of the text end: "\r\n", "\n" alone, "\r" alone.
EndingCounts CountEndings(std::string_view text)
{
    EndingCounts counts;
    std::size_t carriageReturns = 0;
    for (auto at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1)) {
        ++carriageReturns;
        if (at + 1 < text.size() && text[at + 1] == '\n')
            ++counts.crlf;
    }
    const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    counts.lf = lineFeeds - counts.crlf;
    counts.cr = carriageReturns - counts.crlf;
    return counts;
}

} // namespace

ProfileDocument::ProfileDocument(std::string text)
    : ProfileDocument(std::make_shared<const std::string>(std::move(text)))
{}

ProfileDocument::ProfileDocument(std::shared_ptr<const std::string> text)
    : m_bytes(std::move(text))
    , m_text(*m_bytes)
    , m_wide(StartsWithWideMark(m_text))
{
    if (m_text.starts_with(ByteOrderMark))
        m_bodyStart = ByteOrderMark.size();
    // A wide-text file has no lines and no sections: every read gives its default.
    m_searchFrom = m_wide ? m_text.size() : m_bodyStart;
    // A client file has a few dozen sections: room for them spares the list most of its growing.
    m_headers.reserve(32);
}

ProfileDocument::LineSpan ProfileDocument::LineAt(std::size_t begin) const
{
    const std::size_t contentEnd = FindAnyOf(m_text, begin, '\r', '\n', '\n');
    return {begin, contentEnd, LineEnd(contentEnd)};
}

std::size_t ProfileDocument::LineEnd(std::size_t contentEnd) const
{
    return contentEnd + LineEndingSize(m_text.substr(contentEnd));
}

std::optional<std::size_t> ProfileDocument::BlankLineStart(std::size_t offset) const
{
    std::size_t begin = offset;
    while (begin > m_bodyStart && IsProfileBlank(m_text[begin - 1]))
        --begin;
    if (begin == m_bodyStart || IsLineBreak(m_text[begin - 1]))
        return begin;
    return std::nullopt;
}

std::string_view ProfileDocument::Content(const LineSpan &line) const
{
    return m_text.substr(line.begin, line.contentEnd - line.begin);
}

// A header line starts with "[" after blanks at most, so only the lines where a "[" stands
// first need a look; memchr finds them much faster than the lines could be split.
bool ProfileDocument::FindNextHeader() const
{
    const std::string_view text = m_text;
    while (m_searchFrom < text.size()) {
        const auto bracket = text.find('[', m_searchFrom);
        if (bracket == std::string_view::npos)
            break;
        const auto lineStart = BlankLineStart(bracket);
        if (!lineStart) {
            m_searchFrom = bracket + 1;
            continue;
        }
        const auto line = LineAt(*lineStart);
        m_searchFrom = line.end;
        const auto parsed = ParseLine(Content(line));
        if (parsed.kind == LineKind::Header) {
            m_headers.push_back({parsed.name, line});
            return true;
        }
    }
    m_searchFrom = text.size();
    return false;
}

std::size_t ProfileDocument::FirstHeaderNamed(std::string_view name) const
{
    const CaseInsensitiveEqual equal;
    for (std::size_t index = 0; index < m_headers.size(); ++index) {
        if (equal(m_headers[index].name, name))
            return index;
    }
    // Not among those found so far: further on, if anywhere.
    while (FindNextHeader()) {
        if (equal(m_headers.back().name, name))
            return m_headers.size() - 1;
    }
    return NoHeader;
}

// Only the first section of a name counts; the keys of a later one are never seen. The
// answer, found or not, is kept, so asking again costs one look-up.
ProfileDocument::Section *ProfileDocument::FindSection(std::string_view name) const
{
    // Reads and writes come section by section, so the last section asked for is tried first.
    if (m_lastSection && CaseInsensitiveEqual()(m_lastSection->name, name))
        return m_lastSection;
    if (const auto *known = m_sectionIndex.Find(name)) {
        if (*known)
            m_lastSection = *known;
        return *known;
    }
    const std::size_t index = FirstHeaderNamed(name);
    if (index == NoHeader) {
        m_sectionIndex.Insert(m_addedNames.emplace_back(name), nullptr);
        return nullptr;
    }
    // The body ends where the next header starts.
    if (index + 1 == m_headers.size())
        FindNextHeader();
    const auto &header = m_headers[index];
    const std::size_t bodyEnd
        = index + 1 < m_headers.size() ? m_headers[index + 1].line.begin : m_text.size();
    auto &section = m_sections.emplace_back(
        Section{header.name, false, header.line, bodyEnd, header.line, false, {}, {}});
    m_sectionIndex.Insert(section.name, &section);
    return m_lastSection = &section;
}

// One pass over the section's lines.
const SectionKeys &ProfileDocument::Keys(const Section &section) const
{
    if (section.keysIndexed)
        return section.keys;
    // Room for a key line of some twenty bytes spares the table most of its growing; a limit,
    // so that a section of long lines does not reserve far more than it needs.
    section.keys.Reserve(std::min<std::size_t>((section.bodyEnd - section.header.end) / 16, 4096));
    section.anchor = section.header;
    for (std::size_t begin = section.header.end; begin < section.bodyEnd;) {
        const BodyLine body = ScanBodyLine(begin);
        begin = body.line.end;
        if (!body.isKey)
            continue;
        section.anchor = body.line;
        if (!body.name.empty())
            section.keys.AddFileLine(
                body.name, KeyPlace{false, body.line.begin, body.line.contentEnd, body.equals});
    }
    section.keysIndexed = true;
    return section.keys;
}

std::optional<KeyPlace> ProfileDocument::FindKey(const Section &section, std::string_view key) const
{
    const auto &keys = Keys(section);
    const auto *found = keys.Find(key);
    return found ? std::optional(*found) : std::nullopt;
}

std::string_view ProfileDocument::LineContent(const Section &section, KeyPlace place) const
{
    if (place.added)
        return section.addedLines[place.index];
    const auto rewritten = m_rewrites.find(place.index);
    if (rewritten != m_rewrites.end())
        return rewritten->second.content;
    return m_text.substr(place.index, place.contentEnd - place.index);
}

std::string &ProfileDocument::EditableLine(Section &section, KeyPlace place)
{
    if (place.added)
        return section.addedLines[place.index];
    const auto original = m_text.substr(place.index, place.contentEnd - place.index);
    return m_rewrites.try_emplace(place.index, Rewrite{place.contentEnd, std::string(original)})
        .first->second.content;
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section,
                                                       std::string_view key) const
{
    const auto *found = FindSection(section);
    const auto place = found ? FindKey(*found, key) : std::nullopt;
    // A line without "=" names a key that has no value: the platform's read gives the default.
    if (!place || !HasValue(*place))
        return std::nullopt;
    return ReadableValueOf(*found, *place);
}

bool ProfileDocument::HasValue(KeyPlace place) const
{
    // Lines this document wrote or rewrote always have their "=".
    if (place.added || m_rewrites.contains(place.index))
        return true;
    return place.equals < place.contentEnd && m_text[place.equals] == '=';
}

std::string_view ProfileDocument::ReadableValueOf(const Section &section, KeyPlace place) const
{
    // An original line no edit replaced: its "=" was found when the keys were indexed.
    if (!place.added && (m_rewrites.empty() || !m_rewrites.contains(place.index)))
        return ReadableValueFrom(m_text.substr(place.equals, place.contentEnd - place.equals));
    return ReadableValue(LineContent(section, place));
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
    if (HasValue(*place) && SameBytes(ReadableValueOf(*found, *place), value))
        return false;
    const auto line = LineContent(*found, *place);
    return RewriteValue(line, value) != line;
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!WouldChange(section, key, value))
        return;
    auto *found = FindSection(section);
    auto &target = found ? *found : AddSection(section);
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
    auto &section
        = m_sections.emplace_back(Section{storedName, true, {}, m_text.size(), {}, true, {}, {}});
    m_sectionIndex.Assign(storedName, &section);
    m_addedSections.push_back(&section);
    return section;
}

void ProfileDocument::AddKey(Section &section, std::string_view key, std::string_view value)
{
    const std::string_view storedKey = m_addedNames.emplace_back(key);
    section.addedLines.push_back(KeyLine(storedKey, value));
    section.keys.AddNewKey(storedKey, KeyPlace{true, section.addedLines.size() - 1, 0, 0});
}

const std::string &ProfileDocument::NewLine() const
{
    if (m_newLine.empty())
        m_newLine = CountEndings(m_text.substr(m_bodyStart)).Dominant();
    return m_newLine;
}

void ProfileDocument::AppendAddedLines(std::string &out,
                                       const std::vector<std::string> &lines) const
{
    for (const auto &line : lines) {
        out += line;
        out += NewLine();
    }
}

// The original text with the rewritten lines in place and the added keys after the anchor
// lines of their sections, copied in as few pieces as the edits allow.
void ProfileDocument::AppendEditedText(std::string &out) const
{
    std::vector<const Section *> grown;
    for (const auto &section : m_sections) {
        if (!section.added && !section.addedLines.empty())
            grown.push_back(&section);
    }
    std::sort(grown.begin(), grown.end(), [](const Section *left, const Section *right) {
        return left->anchor.end < right->anchor.end;
    });
    std::size_t copied = 0;
    auto rewrite = m_rewrites.begin();
    auto insertion = grown.begin();
    while (rewrite != m_rewrites.end() || insertion != grown.end()) {
        // Lines added after a line come before a rewrite of the line that follows it.
        const bool insertNext
            = insertion != grown.end()
              && (rewrite == m_rewrites.end() || (*insertion)->anchor.end <= rewrite->first);
        if (insertNext) {
            const auto &anchor = (*insertion)->anchor;
            out.append(m_text, copied, anchor.end - copied);
            // Only the last line can lack an ending; it gets one when new lines follow it.
            if (anchor.end == anchor.contentEnd)
                out += NewLine();
            AppendAddedLines(out, (*insertion)->addedLines);
            KeepNextLineApart(out, anchor.end);
            copied = anchor.end;
            ++insertion;
        } else {
            out.append(m_text, copied, rewrite->first - copied);
            out += rewrite->second.content;
            copied = rewrite->second.contentEnd;
            ++rewrite;
        }
    }
    out.append(m_text, copied);
}

// The added lines end as the file's lines mostly do; where that ending and the start of the
// next line would read as one ending, the next (blank) line would vanish into it.
void ProfileDocument::KeepNextLineApart(std::string &out, std::size_t next) const
{
    const auto following = m_text.substr(next, 2);
    // A lone CR before LF would be a CRLF.
    if (out.back() == '\r' && following.starts_with('\n'))
        out += '\n';
    // A lone LF before a CR that starts no CRLF would be an LF CR: a CRLF keeps them apart.
    const bool loneLf = out.size() < 2 || out[out.size() - 2] != '\r';
    if (out.back() == '\n' && loneLf && following.starts_with('\r') && following != "\r\n")
        out.insert(out.size() - 1, 1, '\r');
}

std::string ProfileDocument::Serialise() const
{
    std::string out;
    out.reserve(m_text.size() + m_text.size() / 8 + 256);
    AppendEditedText(out);
    if (m_addedSections.empty())
        return out;
    if (out.size() > m_bodyStart && !IsLineBreak(out.back()))
        out += NewLine();
    for (const auto *section : m_addedSections) {
        out += HeaderLine(section->name);
        out += NewLine();
        AppendAddedLines(out, section->addedLines);
    }
    return out;
}
