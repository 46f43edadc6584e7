#pragma once

#include "AsciiCase.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

// Hash and equality of names that ignore ASCII letter case, so a table can be searched with
// the caller's spelling without building a lower-cased copy.
struct CaseInsensitiveHash
{
    // Eight bytes at a time, each with the bit set that tells an ASCII capital from its small
    // letter, so names that differ only in letter case hash alike. A few other bytes collide
    // too ("@" and "`"); the equality test sorts those out.
    std::size_t operator()(std::string_view text) const noexcept
    {
        constexpr std::uint64_t CaseBits = 0x2020202020202020ULL;
        std::uint64_t hash = Mix(text.size() + 0x9E3779B97F4A7C15ULL);
        while (!text.empty()) {
            std::uint64_t word = 0;
            const std::size_t count = std::min<std::size_t>(text.size(), sizeof word);
            std::memcpy(&word, text.data(), count);
            hash = Mix(hash ^ (word | CaseBits));
            text.remove_prefix(count);
        }
        return static_cast<std::size_t>(hash);
    }

private:
    static std::uint64_t Mix(std::uint64_t value)
    {
        value *= 0xFF51AFD7ED558CCDULL;
        return value ^ (value >> 33);
    }
};
struct CaseInsensitiveEqual
{
    // The caller's spelling is mostly the file's, which memcmp() confirms fastest.
    bool operator()(std::string_view left, std::string_view right) const noexcept
    {
        return left == right || EqualsIgnoringAsciiCase(left, right);
    }
};

// Names that match without regard to ASCII letter case, each with a value, in one flat table
// probed in a row. A section's keys are indexed once and looked up a few hundred times, so
// this saves a memory allocation per name and a pointer chase per look-up over a node-based
// map. The names are views: what they point to must outlive the table.
template<typename Value>
class NameTable
{
public:
    // Room for this many names without growing.
    void Reserve(std::size_t count)
    {
        std::size_t size = m_slots.empty() ? MinimumSize : m_slots.size();
        while (2 * count > size)
            size *= 2;
        if (size > m_slots.size())
            Rehash(size);
    }

    // Adds the name with its value unless the name is there already; false when it was.
    bool Insert(std::string_view name, const Value &value)
    {
        if (2 * (m_count + 1) > m_slots.size())
            Rehash(m_slots.empty() ? MinimumSize : 2 * m_slots.size());
        const std::size_t hash = CaseInsensitiveHash()(name);
        Slot &slot = m_slots[IndexFor(name, hash)];
        if (slot.used)
            return false;
        slot = {true, hash, name, value};
        ++m_count;
        return true;
    }

    // Sets the name's value, adding the name when it is not there.
    void Assign(std::string_view name, const Value &value)
    {
        if (!Insert(name, value))
            *Find(name) = value;
    }

    Value *Find(std::string_view name)
    {
        const auto index = FoundIndex(name);
        return index ? &m_slots[*index].value : nullptr;
    }
    const Value *Find(std::string_view name) const
    {
        const auto index = FoundIndex(name);
        return index ? &m_slots[*index].value : nullptr;
    }

private:
    struct Slot
    {
        bool used = false;
        std::size_t hash = 0;
        std::string_view name;
        Value value{};
    };

    // The index of the name's slot, or of the free slot where it would go. The table is never
    // full.
    std::size_t IndexFor(std::string_view name, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
            const Slot &slot = m_slots[index];
            if (!slot.used || (slot.hash == hash && CaseInsensitiveEqual()(slot.name, name)))
                return index;
        }
    }

    std::optional<std::size_t> FoundIndex(std::string_view name) const
    {
        if (m_slots.empty())
            return std::nullopt;
        const std::size_t index = IndexFor(name, CaseInsensitiveHash()(name));
        return m_slots[index].used ? std::optional(index) : std::nullopt;
    }

    void Rehash(std::size_t size)
    {
        std::vector<Slot> old(size);
        old.swap(m_slots);
        for (const Slot &slot : old) {
            if (slot.used)
                m_slots[IndexFor(slot.name, slot.hash)] = slot;
        }
    }

    static constexpr std::size_t MinimumSize = 16;
    std::vector<Slot> m_slots; // a power of two in size, at most half used
    std::size_t m_count = 0;
};
