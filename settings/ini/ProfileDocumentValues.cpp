#include "ini/ProfileDocument.h"

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
        const BodyLine body = ScanBodyLine(begin);
        begin = body.line.end;
        if (!body.isKey || body.name.empty())
            continue;
        const std::size_t index = asked.Find(body.name);
        if (index == keys.size() || met[index])
            continue;
        met[index] = 1;
        // A section without an index was never written to: its lines are the file's own.
        values[index] = OriginalValue(body);
    }
}
