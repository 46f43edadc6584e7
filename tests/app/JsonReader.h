#pragma once

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads JSON text that must be an array of objects whose values are all strings, checking the
// whole grammar of those parts (escapes, \u sequences, separators, nothing after the end).
// nullopt for anything else.
class JsonReader
{
public:
    using Object = std::map<std::string, std::string>;

    static std::optional<std::vector<Object>> ArrayOfObjects(std::string_view text)
    {
        JsonReader reader(text);
        std::vector<Object> objects;
        if (!reader.Array(objects))
            return std::nullopt;
        reader.Blanks();
        if (reader.m_at != text.size())
            return std::nullopt;
        return objects;
    }

private:
    explicit JsonReader(std::string_view text)
        : m_text(text)
    {}

    void Blanks()
    {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
    }
    bool Take(char c)
    {
        Blanks();
        if (m_at >= m_text.size() || m_text[m_at] != c)
            return false;
        ++m_at;
        return true;
    }
    template<typename Item, typename ReadItem>
    bool List(char open, char close, std::vector<Item> &items, ReadItem readItem)
    {
        if (!Take(open))
            return false;
        if (Take(close))
            return true;
        do {
            items.emplace_back();
            if (!readItem(items.back()))
                return false;
        } while (Take(','));
        return Take(close);
    }
    bool Array(std::vector<Object> &objects)
    {
        return List('[', ']', objects, [this](Object &object) { return ReadObject(object); });
    }
    bool ReadObject(Object &object)
    {
        std::vector<std::pair<std::string, std::string>> members;
        if (!List('{', '}', members, [this](auto &member) {
                return String(member.first) && Take(':') && String(member.second);
            }))
            return false;
        for (auto &[name, value] : members) {
            if (!object.emplace(name, value).second)
                return false;
        }
        return true;
    }
    bool String(std::string &out)
    {
        if (!Take('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
            } else if (!Escape(out)) {
                return false;
            }
        }
        return false;
    }
    bool Escape(std::string &out)
    {
        if (m_at >= m_text.size())
            return false;
        const char c = m_text[m_at++];
        const std::string_view simple = "\"\\/bfnrt";
        const std::string_view meaning = "\"\\/\b\f\n\r\t";
        if (const std::size_t at = simple.find(c); at != std::string_view::npos) {
            out += meaning[at];
            return true;
        }
        if (c != 'u' || m_at + 4 > m_text.size())
            return false;
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char digit = m_text[m_at++];
            if (!std::isxdigit(static_cast<unsigned char>(digit)))
                return false;
            code = code * 16 + std::stoul(std::string(1, digit), nullptr, 16);
        }
        if (code >= 0x80)
            return false; // not produced by the program
        out += static_cast<char>(code);
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};
