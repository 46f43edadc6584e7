#pragma once

#include "ini/AsciiCase.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

// Hash and equality of names that ignore ASCII letter case, so a table can be searched with
// the caller's spelling without building a lower-cased copy.
struct CaseInsensitiveHash
{
    // Eight bytes at a time, each with the bit set that tells an ASCII capital from its small
    // letter, so names that differ only in letter case hash alike. A few other bytes collide
    // too ("@" and "`"); the equality test sorts those out. The last few bytes are read as
    // overlapping words of fixed size, which compile to plain loads where a copy of a variable
    // length would call memcpy().
    std::size_t operator()(std::string_view text) const noexcept
    {
        constexpr std::uint64_t CaseBits = 0x2020202020202020ULL;
        const char *data = text.data();
        std::size_t size = text.size();
        std::uint64_t hash = Mix(size + 0x9E3779B97F4A7C15ULL);
        for (; size >= 8; data += 8, size -= 8)
            hash = Mix(hash ^ (Load<std::uint64_t>(data) | CaseBits));
        if (size >= 4) {
            const std::uint64_t low = Load<std::uint32_t>(data);
            const std::uint64_t high = Load<std::uint32_t>(data + size - 4);
            hash = Mix(hash ^ ((low | high << 32) | CaseBits));
        } else if (size > 0) {
            const auto byte = [&](std::size_t at) {
                return static_cast<std::uint64_t>(static_cast<unsigned char>(data[at]));
            };
            hash = Mix(hash ^ ((byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16) | CaseBits));
        }
        return static_cast<std::size_t>(hash);
    }

private:
    template<typename Word>
    static Word Load(const char *data)
    {
        Word word;
        std::memcpy(&word, data, sizeof word);
        return word;
    }

    static std::uint64_t Mix(std::uint64_t value)
    {
        value *= 0xFF51AFD7ED558CCDULL;
        return value ^ (value >> 33);
    }
};
struct CaseInsensitiveEqual
{
    // The caller's spelling is mostly the file's, which a comparison of the bytes confirms
    // fastest.
    bool operator()(std::string_view left, std::string_view right) const noexcept
    {
        return left.size() == right.size()
               && (SameBytes(left, right) || EqualsIgnoringAsciiCase(left, right));
    }
};

// Names that match without regard to ASCII letter case, each with a value. The entries sit in
// one array in the order they came; an open-addressing table of their numbers, probed in a row,
// finds them. A section's keys are indexed once and looked up a few hundred times, so this
// saves a memory allocation per name and a pointer chase per look-up over a node-based map,
// and the table that has to be cleared when it grows is only four bytes a slot. The names are
// views: what they point to must outlive the table.
template<typename Value>
class NameTable
{
public:
    // Room for this many names without growing.
    void Reserve(std::size_t count)
    {
        m_entries.reserve(count);
        std::size_t size = m_slots.empty() ? MinimumSize : m_slots.size();
        while (2 * count > size)
            size *= 2;
        if (size > m_slots.size())
            Rehash(size);
    }

    // Adds the name with its value unless the name is there already; false when it was.
    bool Insert(std::string_view name, const Value &value)
    {
        return Insert(name, CaseInsensitiveHash()(name), value);
    }
    // The same, for a name whose CaseInsensitiveHash is known already.
    bool Insert(std::string_view name, std::size_t hash, const Value &value)
    {
        if (2 * (m_entries.size() + 1) > m_slots.size())
            Rehash(m_slots.empty() ? MinimumSize : 2 * m_slots.size());
        std::uint32_t &slot = m_slots[IndexFor(name, hash)];
        if (slot != Empty)
            return false;
        m_entries.push_back({hash, name, value});
        slot = static_cast<std::uint32_t>(m_entries.size());
        return true;
    }

    // Sets the name's value, adding the name when it is not there.
    void Assign(std::string_view name, const Value &value)
    {
        if (!Insert(name, value))
            *Find(name) = value;
    }

    const Value *Find(std::string_view name) const
    {
        const std::uint32_t slot = FoundSlot(name);
        return slot == Empty ? nullptr : &m_entries[slot - 1].value;
    }
    Value *Find(std::string_view name)
    {
        return const_cast<Value *>(std::as_const(*this).Find(name));
    }

private:
    struct Entry
    {
        std::size_t hash;
        std::string_view name;
        Value value;
    };

    // A slot holds an entry's number counted from 1; 0 is a free slot.
    static constexpr std::uint32_t Empty = 0;

    // The index of the name's slot, or of the free slot where it would go. The table is never
    // full.
    std::size_t IndexFor(std::string_view name, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
            const std::uint32_t slot = m_slots[index];
            if (slot == Empty)
                return index;
            const Entry &entry = m_entries[slot - 1];
            if (entry.hash == hash && CaseInsensitiveEqual()(entry.name, name))
                return index;
        }
    }

    std::uint32_t FoundSlot(std::string_view name) const
    {
        if (m_slots.empty())
            return Empty;
        return m_slots[IndexFor(name, CaseInsensitiveHash()(name))];
    }

    void Rehash(std::size_t size)
    {
        m_slots.assign(size, Empty);
        const std::size_t mask = size - 1;
        for (std::size_t number = 1; number <= m_entries.size(); ++number) {
            std::size_t index = m_entries[number - 1].hash & mask;
            while (m_slots[index] != Empty)
                index = (index + 1) & mask;
            m_slots[index] = static_cast<std::uint32_t>(number);
        }
    }

    static constexpr std::size_t MinimumSize = 16;
    std::vector<std::uint32_t> m_slots; // a power of two in size, at most half used
    std::vector<Entry> m_entries;
};
