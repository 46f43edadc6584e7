#pragma once

#include "locate/Platform.h"
#include "locate/WinePrefixes.h"

#include <functional>
#include <string>
#include <vector>

// On Linux the game runs inside a Wine prefix, and the registry its installer wrote to is the
// prefix's "system.reg". These answer for the registry and the built-in default folder there.

// Every client file in the prefixes, in their order, at most one a prefix: in the folder the
// prefix's registry names when it holds the file; else in the built-in default folder on the
// prefix's drive C:, as if the prefix had no registration (a stale one, left by an old install,
// must not hide the real file). Folders are local and end in '/'; the same file reached from two
// prefixes counts once.
PrefixSearch SearchPrefixesForClientFile(const std::vector<WinePrefix> &prefixes);

// A probe for LocateClientFile whose registry is the Wine prefixes the environment leads to:
// searchWinePrefixes searches them all; readAppPathValue finds no key.
PlatformProbe WinePlatformProbe(PrefixSearchEnvironment environment,
                                std::function<std::string()> executableFolder);
