#pragma once

#include "locate/Platform.h"
#include "locate/WinePrefixes.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// On Linux the game runs inside a Wine prefix, and the registry its installer wrote to is the
// prefix's "system.reg". These answer for the registry and the built-in default folder there.

// The client folder the prefixes name, as a local folder ending in '/': the application path
// from the first prefix whose registry holds it, resolved in that prefix whether or not the
// client file is there; when no prefix holds it, the built-in default folder resolved in the
// first prefix where it holds the client file. nullopt when neither names a folder.
std::optional<std::string>
ClientFolderFromPrefixes(const std::vector<std::filesystem::path> &prefixes);

// A probe for LocateClientFolder whose registry is the Wine prefixes the environment leads to:
// readAppPathValue gives ClientFolderFromPrefixes, so the folder found there is kept when it
// holds the client file, and the executable's folder is taken otherwise. Without any prefix it
// answers as a system without a registry.
PlatformProbe WinePlatformProbe(PrefixSearchEnvironment environment,
                                std::function<std::string()> executableFolder);
