#include "ini/ProfileLine.h"

namespace {

// Plain loops rather than find_first_not_of(" \t"), which searches the set once per character.
std::size_t FirstNonBlank(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsProfileBlank(text[at]))
        ++at;
    return at == text.size() ? std::string_view::npos : at;
}

std::size_t LastNonBlank(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsProfileBlank(text[end - 1]))
        --end;
    return end == 0 ? std::string_view::npos : end - 1;
}

// Where the value's text starts and ends, blanks around it excluded.
struct ValueSpan
{
    std::size_t begin;
    std::size_t end;
};

ValueSpan FindValue(std::string_view keyLine)
{
    const auto equals = keyLine.find('=');
    if (equals == std::string_view::npos) {
        // The whole trimmed line is the key; its value is empty and sits right after the key.
        const auto keyEnd = LastNonBlank(keyLine) + 1;
        return {keyEnd, keyEnd};
    }
    const auto afterEquals = keyLine.substr(equals + 1);
    const auto first = FirstNonBlank(afterEquals);
    if (first == std::string_view::npos)
        return {keyLine.size(), keyLine.size()};
    const auto last = LastNonBlank(afterEquals);
    return {equals + 1 + first, equals + 2 + last};
}

} // namespace

ParsedLine ParseLine(std::string_view line)
{
    const auto text = TrimBlanks(line);
    if (text.empty())
        return {LineKind::Blank, {}};
    if (text.front() == ';' || text.front() == '#')
        return {LineKind::Comment, {}};
    if (text.front() == '[') {
        const auto close = text.rfind(']');
        if (close != std::string_view::npos)
            return {LineKind::Header, NameAsRead(text.substr(1, close - 1))};
    }
    return {LineKind::Key, NameAsRead(text.substr(0, text.find('=')))};
}

std::string RewriteValue(std::string_view keyLine, std::string_view value)
{
    const auto span = FindValue(keyLine);
    const bool hasEquals = keyLine.find('=') != std::string_view::npos;
    std::string line;
    line.reserve(keyLine.size() + value.size() + 1);
    line += keyLine.substr(0, span.begin);
    if (!hasEquals)
        line += '=';
    line += value;
    line += keyLine.substr(span.end);
    return line;
}

std::string KeyLine(std::string_view key, std::string_view value)
{
    std::string line;
    line.reserve(key.size() + value.size() + 1);
    line += key;
    line += '=';
    line += value;
    return line;
}

std::string HeaderLine(std::string_view section)
{
    std::string line;
    line.reserve(section.size() + 2);
    line += '[';
    line += section;
    line += ']';
    return line;
}
