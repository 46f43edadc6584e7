#pragma once

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
};

// The operating system's own answers. Where there is no registry, readAppPathValue reads the Wine
// prefixes' registries instead and gives the folder they name already as a local path
// (WineClientFolder.h); without any prefix it finds no key.
PlatformProbe DefaultPlatformProbe();
