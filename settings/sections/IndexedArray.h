#pragma once

#include <array>
#include <cassert>
#include <cstddef>

// A fixed array addressed from First to First + Count - 1, because the client file numbers
// text colours and game windows from 1 but containers and key maps from 0.
template<typename T, int First, int Count>
class IndexedArray
{
public:
    static constexpr int first = First;
    static constexpr int last = First + Count - 1;
    static constexpr int count = Count;

    T &operator[](int index)
    {
        assert(index >= First && index <= last);
        return m_items[static_cast<std::size_t>(index - First)];
    }
    const T &operator[](int index) const
    {
        assert(index >= First && index <= last);
        return m_items[static_cast<std::size_t>(index - First)];
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    bool operator==(const IndexedArray &) const = default;

private:
    std::array<T, Count> m_items{};
};
