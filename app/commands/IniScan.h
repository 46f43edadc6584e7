#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The sections and keys of an INI text with their line numbers (from 1), read by the same line
// rules as the INI layer, for commands that report on lines or take every key of a file.
struct ScannedHeader
{
    std::string_view name;
    std::size_t line;
};
struct ScannedKey
{
    std::size_t header; // index into the headers of the section it stands in
    std::string_view key;
    std::size_t line;
};
struct IniScan
{
    std::vector<ScannedHeader> headers;
    // Key lines with a "=" inside a section, in the order of the file; keys before the first
    // header belong to no section and are left out.
    std::vector<ScannedKey> keys;
};

// Views into text, which must outlive the result.
IniScan ScanIni(std::string_view text);
