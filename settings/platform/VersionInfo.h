#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The version resource of a Windows executable, read through the system's version API.

// Where the file version text sits: US English, code page 1252.
inline constexpr std::string_view FileVersionQuery = "\\StringFileInfo\\040904E4\\FileVersion";

// Query paths such as FileVersionQuery mapped to the texts the resource holds for them.
using VersionStrings = std::map<std::string, std::string>;

// The texts of the given query paths in the file's version resource, in UTF-8; a query the
// resource does not answer is left out. nullopt when the file carries no version resource at
// all. Windows only.
std::optional<VersionStrings> ReadVersionStrings(const std::string &file,
                                                 const std::vector<std::string> &queries);

// The same for the running executable. Windows only.
std::optional<VersionStrings> ReadOwnVersionStrings(const std::vector<std::string> &queries);
