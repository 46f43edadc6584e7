#pragma once

#include "ini/ProfileText.h"

#include <string>
#include <string_view>

// One line of an INI file, without its line ending, the way the private-profile calls see it.

enum class LineKind {
    Blank,
    Comment, // first non-blank character ";" or "#"
    Header,  // first non-blank character "[" and a "]" later in the line
    Key,     // anything else; a line without "=" names a key that reads as missing
};

struct ParsedLine
{
    LineKind kind;
    // The section's name for a header, the key's name for a key, as the game matches it.
    std::string_view name;
};

ParsedLine ParseLine(std::string_view line);

// The key line with a new value in place of the old one (quotes included); everything before
// the value and the blanks after it stay as they were.
std::string RewriteValue(std::string_view keyLine, std::string_view value);

std::string KeyLine(std::string_view key, std::string_view value);
std::string HeaderLine(std::string_view section);
