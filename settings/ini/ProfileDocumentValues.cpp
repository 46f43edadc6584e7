#include "ini/AsciiCase.h"
#include "ini/ByteSearch.h"
#include "ini/ProfileDocument.h"
#include "ini/ProfileLine.h"
#include "ini/ProfileText.h"

#include <algorithm>
#include <vector>

namespace {

// Lines out of the expected order looked up by comparing names one by one, before the keys get
// a table of their own: a section of the game's own keys holds few such lines.
constexpr std::size_t LinesLookedUpOneByOne = 32;

// Where each key asked for is, by name: first compared in order, then by a table.
class KeysAskedFor
{
public:
    explicit KeysAskedFor(std::span<const std::string_view> keys)
        : m_keys(keys)
    {}

    // The key the next line most likely holds: the one after the last found.
    std::string_view Expected() const
    {
        return m_next < m_keys.size() ? m_keys[m_next] : std::string_view();
    }
    // Find() of the name Expected() gave.
    std::size_t TakeExpected() { return m_next++; }

    // The index of the key of that name; keys.size() when none is.
    std::size_t Find(std::string_view name)
    {
        const CaseInsensitiveEqual equal;
        if (m_next < m_keys.size() && equal(m_keys[m_next], name))
            return m_next++;
        const std::size_t found = FindOutOfOrder(name);
        if (found < m_keys.size())
            m_next = found + 1;
        return found;
    }

private:
    std::size_t FindOutOfOrder(std::string_view name)
    {
        if (++m_outOfOrder > LinesLookedUpOneByOne) {
            if (!m_tableBuilt)
                BuildTable();
            const std::size_t *found = m_table.Find(name);
            return found ? *found : m_keys.size();
        }
        const CaseInsensitiveEqual equal;
        for (std::size_t index = 0; index < m_keys.size(); ++index) {
            if (equal(m_keys[index], name))
                return index;
        }
        return m_keys.size();
    }

    void BuildTable()
    {
        m_table.Reserve(m_keys.size());
        for (std::size_t index = 0; index < m_keys.size(); ++index)
            m_table.Insert(m_keys[index], index);
        m_tableBuilt = true;
    }

    std::span<const std::string_view> m_keys;
    std::size_t m_next = 0;
    std::size_t m_outOfOrder = 0;
    bool m_tableBuilt = false;
    NameTable<std::size_t> m_table;
};

} // namespace

// Each line is searched once, many bytes at a time, for its first "=", its first NUL byte and
// its line break, and its ending sized in place, since this runs over every line of every
// section asked for.
ProfileDocument::BodyLine ProfileDocument::ScanBodyLine(std::size_t begin) const
{
    const std::string_view text = m_text;
    std::size_t first = begin;
    while (first < text.size() && IsProfileBlank(text[first]))
        ++first;
    // A body ends where a header line starts, so after a line break or at the text's end: the
    // search may run on past it and still stop at the same byte.
    const auto [equals, contentEnd, nul] = SplitKeyLine(text, first);
    const std::size_t end = contentEnd + LineEndingSize(text.substr(contentEnd));
    BodyLine body{{begin, contentEnd, end}, equals, nul, false, {}};
    if (first == contentEnd || text[first] == ';' || text[first] == '#')
        return body;
    // A "[" starts a key here unless the line is a header, which no body holds.
    if (text[first] == '[' && ParseLine(Content(body.line)).kind != LineKind::Key)
        return body;
    body.isKey = true;
    const auto rawName = text.substr(first, equals - first);
    body.name = nul < equals ? NameAsRead(rawName) : TrimBlanks(rawName);
    return body;
}

// A save writes its key lines as the name, "=" and the value, in the order it asks for them, so
// most lines start with the very bytes of the key asked for next. Such a line is that key's when
// its first "=" follows the name and the name reads as itself: no NUL byte in it, no blank to
// trim, and no first byte that would make the line a comment or a header.
bool ProfileDocument::ScanLineOfKey(std::size_t begin, std::string_view key, BodyLine &body) const
{
    const std::string_view text = m_text;
    const std::size_t size = key.size();
    if (size == 0 || text.size() - begin <= size || text[begin + size] != '='
        || !SameBytes(text.substr(begin, size), key))
        return false;
    const char first = key.front();
    if (IsProfileBlank(first) || first == ';' || first == '#' || first == '['
        || IsProfileBlank(key.back()))
        return false;
    const auto [equals, contentEnd, nul] = SplitKeyLine(text, begin);
    if (equals != begin + size || nul < equals)
        return false;
    const std::size_t end = contentEnd + LineEndingSize(text.substr(contentEnd));
    body = BodyLine{{begin, contentEnd, end}, equals, nul, true, key};
    return true;
}

std::string_view ProfileDocument::OriginalValue(const BodyLine &body) const
{
    const std::size_t end = body.line.contentEnd;
    return ReadableValueFrom(m_text.substr(body.equals, end - body.equals), body.nul < end);
}

void ProfileDocument::Values(std::string_view section,
                             std::span<const std::string_view> keys,
                             std::span<std::optional<std::string_view>> values) const
{
    const Section *found = FindSection(section);
    if (found && !found->keysIndexed) {
        ValuesInOnePass(*found, keys, values);
        return;
    }
    // A section written to already has its index, with the lines added and rewritten.
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto place = found ? FindKey(*found, keys[i]) : std::nullopt;
        // A line without "=" names a key that has no value, as in Value().
        values[i] = place && HasValue(*place) ? std::optional(ReadableValueOf(*found, *place))
                                              : std::nullopt;
    }
}

void ProfileDocument::ValuesInOnePass(const Section &section,
                                      std::span<const std::string_view> keys,
                                      std::span<std::optional<std::string_view>> values) const
{
    std::fill(values.begin(), values.end(), std::nullopt);
    // Only the first line of a name counts, even when it has no "=" and so no value.
    std::vector<unsigned char> met(keys.size());
    KeysAskedFor asked(keys);
    for (std::size_t begin = section.header.end; begin < section.bodyEnd;) {
        std::size_t index;
        BodyLine body;
        if (ScanLineOfKey(begin, asked.Expected(), body)) {
            index = asked.TakeExpected();
        } else {
            body = ScanBodyLine(begin);
            if (!body.isKey || body.name.empty()) {
                begin = body.line.end;
                continue;
            }
            index = asked.Find(body.name);
        }
        begin = body.line.end;
        if (index == keys.size() || met[index])
            continue;
        met[index] = 1;
        // A section without an index was never written to: its lines are the file's own. A line
        // without "=" has no value. (Set in place, not from a returned optional: its copy would
        // go through memory for every key.)
        if (body.equals < body.line.contentEnd)
            values[index].emplace(OriginalValue(body));
    }
}
