#pragma once

#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

// A key name put together from parts ("User_", 12, "_", "Red") in a buffer of its own, so the
// hundreds of names a section load or save builds take no memory allocation. A name that
// outgrows the buffer goes on in a string.
class KeyName
{
public:
    KeyName() = default;
    explicit KeyName(std::string_view text) { Append(text); }

    KeyName &Append(std::string_view text)
    {
        if (m_long.empty() && m_size + text.size() <= Capacity) {
            text.copy(m_short + m_size, text.size());
            m_size += text.size();
        } else {
            if (m_long.empty())
                m_long.assign(m_short, m_size);
            m_long += text;
        }
        return *this;
    }

    KeyName &Append(int number)
    {
        char digits[12]; // "-2147483648"
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return Append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    // Valid while the name lives and is not appended to.
    std::string_view view() const
    {
        return m_long.empty() ? std::string_view(m_short, m_size) : std::string_view(m_long);
    }
    operator std::string_view() const { return view(); }

private:
    static constexpr std::size_t Capacity = 48;
    char m_short[Capacity]{};
    std::size_t m_size = 0;
    std::string m_long;
};
