#pragma once

#include "locate/ClientFileCandidate.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// What locating the client file asks of the operating system, so tests can stage every case.
struct PlatformProbe
{
    // The text of "Path" under the game's application-path key; nullopt when the key is
    // missing or unreadable, or the value is missing, empty or not text.
    std::function<std::optional<std::string>()> readAppPathValue;
    // Whether a regular file stands at the path; a folder of that name does not count.
    std::function<bool(const std::string &path)> isRegularFile;
    // The folder of the running executable, ending in a path separator.
    std::function<std::string()> executableFolder;
    // When the file was last modified, in seconds since 1970-01-01 UTC; nullopt when unknown.
    // May be empty: times are then unknown.
    std::function<std::optional<std::int64_t>(const std::string &path)> lastModified;
    // Where the game runs under Wine: the client files in every prefix, in place of the
    // registry and the default folder. Empty where the system has a registry of its own.
    std::function<PrefixSearch()> searchWinePrefixes;
};

// The operating system's own answers. Where there is no registry, searchWinePrefixes reads the
// Wine prefixes' registries and drives instead (WineClientFolder.h) and readAppPathValue finds
// no key.
PlatformProbe DefaultPlatformProbe();
