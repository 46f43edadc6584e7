#include "commands/IniScan.h"

#include "ini/ProfileLine.h"

#include <algorithm>

namespace {

// The next line without its ending (CRLF, CR or LF); moves at past the ending.
std::string_view NextLine(std::string_view text, std::size_t &at)
{
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end;
    if (at < text.size() && text[at] == '\r')
        ++at;
    if (at < text.size() && text[at] == '\n')
        ++at;
    return line;
}

} // namespace

IniScan ScanIni(std::string_view text)
{
    IniScan scan;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::size_t at = 0;
    for (std::size_t number = 1; at < text.size(); ++number) {
        const std::string_view line = NextLine(text, at);
        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == LineKind::Header)
            scan.headers.push_back({parsed.name, number});
        else if (parsed.kind == LineKind::Key && !scan.headers.empty()
                 && line.find('=') != std::string_view::npos)
            scan.keys.push_back({scan.headers.size() - 1, parsed.name, number});
    }
    return scan;
}
