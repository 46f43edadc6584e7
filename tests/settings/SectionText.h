#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reading a saved client file the way a person checks it: section by section, line by line.

// The lines of the text without their line ends ("\r\n" or "\n").
inline std::vector<std::string> Lines(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

inline std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

inline bool IsHeader(std::string_view line)
{
    line = Trimmed(line);
    return !line.empty() && line.front() == '[';
}

// The section names in the order their headers stand in the file.
inline std::vector<std::string> SectionNames(const std::string &bytes)
{
    std::vector<std::string> names;
    for (const std::string &line : Lines(bytes)) {
        if (IsHeader(line)) {
            const auto name = Trimmed(line).substr(1);
            names.emplace_back(name.substr(0, name.find(']')));
        }
    }
    return names;
}

// The key lines of the first section of that name, in file order, as "key=value" with the
// blanks around the key and the value left out; blank lines and comments are skipped.
inline std::vector<std::string> SectionLines(const std::string &bytes, std::string_view section)
{
    std::vector<std::string> lines;
    bool inside = false;
    const std::string header = "[" + std::string(section) + "]";
    for (const std::string &line : Lines(bytes)) {
        const std::string_view text = Trimmed(line);
        if (IsHeader(line)) {
            if (inside)
                break;
            inside = text == header;
        } else if (inside && !text.empty() && text.front() != ';') {
            const auto equals = text.find('=');
            const auto key = Trimmed(text.substr(0, equals));
            const auto value = equals == std::string_view::npos ? std::string_view()
                                                                : Trimmed(text.substr(equals + 1));
            lines.push_back(std::string(key) + "=" + std::string(value));
        }
    }
    return lines;
}

// The key names of a section in file order.
inline std::vector<std::string> SectionKeys(const std::string &bytes, std::string_view section)
{
    std::vector<std::string> keys;
    for (const std::string &line : SectionLines(bytes, section))
        keys.emplace_back(Trimmed(std::string_view(line).substr(0, line.find('='))));
    return keys;
}

// A file made of these lines, each ended by "\r\n" as the game writes them.
inline std::string CrlfFile(const std::vector<std::string> &lines)
{
    std::string bytes;
    for (const std::string &line : lines)
        bytes += line + "\r\n";
    return bytes;
}
