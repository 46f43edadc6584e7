#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Wine prefix a Heroic per-game settings file ("GamesConfig/<app>.json") names: the text of
// "winePrefix" in the game's object, a member of the top-level object. The reading is strict:
// nullopt when the text is not well-formed JSON, or no game's object holds "winePrefix" as a
// non-empty string. Escapes are decoded, \u ones into UTF-8.
std::optional<std::string> HeroicGamePrefix(std::string_view gamesConfigJson);
