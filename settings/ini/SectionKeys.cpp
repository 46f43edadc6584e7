#include "ini/SectionKeys.h"

#include <algorithm>

namespace {

// How many lines after the one found last a look-up tries before it turns to the table: the
// unknown keys a game's file holds between known ones.
constexpr std::size_t LinesTriedInOrder = 8;

} // namespace

void SectionKeys::Reserve(std::size_t count)
{
    m_lines.reserve(count);
}

void SectionKeys::AddNewKey(std::string_view name, const KeyPlace &place)
{
    const std::size_t hash = CaseInsensitiveHash()(name);
    MarkSeen(hash);
    m_lines.push_back({name, hash, place, true});
    if (m_tableBuilt)
        m_table.Insert(name, hash, m_lines.size() - 1);
}

const KeyPlace *SectionKeys::Find(std::string_view name) const
{
    const std::size_t end = std::min(m_lines.size(), m_next + LinesTriedInOrder);
    for (std::size_t position = m_next; position < end; ++position) {
        const Line &line = m_lines[position];
        if (line.surelyFirst && CaseInsensitiveEqual()(line.name, name)) {
            m_next = position + 1;
            return &line.place;
        }
    }
    if (!m_tableBuilt)
        BuildTable();
    const std::size_t *position = m_table.Find(name);
    if (!position)
        return nullptr;
    m_next = *position + 1;
    return &m_lines[*position].place;
}

// Only the first line of a name goes in: the later ones are refused as already there.
void SectionKeys::BuildTable() const
{
    m_table.Reserve(m_lines.size());
    for (std::size_t position = 0; position < m_lines.size(); ++position)
        m_table.Insert(m_lines[position].name, m_lines[position].hash, position);
    m_tableBuilt = true;
}
