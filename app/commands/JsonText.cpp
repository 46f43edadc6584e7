#include "commands/JsonText.h"

namespace {

void AppendEscaped(std::string &out, char c)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
        out += "\\u00";
        out += hexDigits[byte >> 4];
        out += hexDigits[byte & 0xF];
    } else {
        out += c;
    }
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text)
        AppendEscaped(out, c);
    out += '"';
    return out;
}
