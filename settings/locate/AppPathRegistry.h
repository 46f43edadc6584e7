#pragma once

#include <optional>
#include <string>
#include <string_view>

// The game's entry among the system's application paths, under HKEY_LOCAL_MACHINE.
inline constexpr std::string_view AppPathKey
    = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe";

// The text of the value "Path" under HKEY_LOCAL_MACHINE\keyPath, in UTF-8. The key is only
// opened for reading, first in the 32-bit view of the registry, where the game's 32-bit
// installer writes, then in the native view. A value stored as expandable text is taken as
// stored. nullopt when neither view has the key with a "Path" that is non-empty text.
std::optional<std::string> ReadAppPathValue(std::string_view keyPath = AppPathKey);
