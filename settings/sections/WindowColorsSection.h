#pragma once

#include "sections/IndexedArray.h"
#include "sections/TextColorsSection.h"

#include <cstdint>
#include <string>
#include <string_view>

// The 13 interface windows of the game, numbered as every section lists them.
enum class GameWindowKind : int {
    Player = 1,
    Party,
    Target,
    HotButton,
    Spells,
    Chat,
    Affect,
    MainMenu,
    ItemData,
    Inventory,
    Track,
    AltAdv,
    BazaarMerchant,
};
inline constexpr int GameWindowCount = 13;

// The game expansion a window belongs to; the window page can hide the previews of each.
enum class WindowExpansionGroup { Base, Corvane, Vorran };

struct GameWindowInfo
{
    std::string_view keyPrefix;      // "PlayerWin": starts every key of the window
    std::string_view listEntry;      // "Player": its name in the window list
    std::string_view previewCaption; // "Player": the text on its preview ("Affects" for Affect)
    WindowExpansionGroup group;
};

// What the program knows of window kind 1..13.
const GameWindowInfo &GameWindow(int kind);
inline const GameWindowInfo &GameWindow(GameWindowKind kind)
{
    return GameWindow(static_cast<int>(kind));
}

// The colour and transparency of one game window.
struct WindowColorEntry
{
    RgbColor color;
    std::int32_t trans = 0; // 4 is solid, 1 is very clear

    bool operator==(const WindowColorEntry &) const = default;
};

using WindowColorTable = IndexedArray<WindowColorEntry, 1, GameWindowCount>;

// Reads the 52 keys of [WindowColors] (colour defaults 1, 1, 1; trans 2). Components keep their
// low 8 bits; trans is kept whole.
bool LoadWindowColorsSection(const std::string &path, WindowColorTable &table);
// Writes the 52 keys. Throws IniWriteError when a write is refused.
bool SaveWindowColorsSection(const std::string &path, const WindowColorTable &table);
