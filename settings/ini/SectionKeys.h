#pragma once

#include "ini/NameTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Where a key's line lives: a line of the original text (by where it starts), or a line the
// document added to the section (by its index among the section's added lines).
struct KeyPlace
{
    bool added;
    std::size_t index;
    std::size_t contentEnd;
    // Where the first "=" of an original line stands (contentEnd when it has none).
    std::size_t equals;
};

// The key lines of one section in the order of the file, and the first line of each name,
// matched without regard to ASCII letter case. Reads and writes mostly ask for the keys in the
// order the file has them, so a look-up first tries the few lines after the one found last,
// which needs no hash; the full table is built only when that fails. A line tried so counts
// only when it is surely the first of its name: a filter of the names before it tells that
// without a table, and sends the rare doubtful line to the table too.
class SectionKeys
{
public:
    // Room for about this many lines.
    void Reserve(std::size_t count);
    // Adds the next key line of the file. Inline: it runs for every key line of the sections
    // asked for.
    void AddFileLine(std::string_view name, const KeyPlace &place)
    {
        const std::size_t hash = CaseInsensitiveHash()(name);
        const bool surelyFirst = !MarkSeen(hash);
        m_lines.push_back({name, hash, place, surelyFirst});
        if (m_tableBuilt)
            m_table.Insert(name, hash, m_lines.size() - 1);
    }
    // Adds a key the document appends to the section; no line of its name may be there yet.
    void AddNewKey(std::string_view name, const KeyPlace &place);
    // The place of the first line of that name; nullptr when there is none.
    const KeyPlace *Find(std::string_view name) const;

private:
    struct Line
    {
        std::string_view name;
        std::size_t hash;
        KeyPlace place;
        bool surelyFirst; // no line before it has the same name
    };

    // Marks the hash in the filter, by its top bits (the table takes its slot from the bottom
    // ones); whether it was marked already.
    bool MarkSeen(std::size_t hash)
    {
        const std::size_t bit = hash >> (8 * sizeof hash - 12);
        std::uint64_t &word = m_seen[bit / 64];
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        const bool seen = (word & mask) != 0;
        word |= mask;
        return seen;
    }
    void BuildTable() const;

    std::vector<Line> m_lines;
    // A bit for each hash, by its top twelve bits, of the names added so far.
    std::array<std::uint64_t, 64> m_seen{};
    // The line a look-up tries first: the one after the line found last.
    mutable std::size_t m_next = 0;
    // The position in m_lines of the first line of each name, once a look-up needed it.
    mutable bool m_tableBuilt = false;
    mutable NameTable<std::size_t> m_table;
};
