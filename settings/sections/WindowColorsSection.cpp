#include "sections/WindowColorsSection.h"

#include "ini/SuppUnit.h"
#include "sections/KeyName.h"

#include <array>

namespace {

constexpr std::string_view Section = "WindowColors";

constexpr std::int32_t DefaultComponent = 1;
constexpr std::int32_t DefaultTrans = 2;

using enum WindowExpansionGroup;

constexpr std::array<GameWindowInfo, GameWindowCount> GameWindows{{
    {"PlayerWin", "Player", "Player", Base},
    {"PartyWin", "Party", "Party", Base},
    {"TargetWin", "Target", "Target", Base},
    {"HotButtonWin", "HotButton", "HotButton", Base},
    {"SpellsWin", "Spells", "Spells", Base},
    {"ChatWin", "Chat", "Chat", Base},
    {"AffectWin", "Affect", "Affects", Base},
    {"MainMenuWin", "MainMenu", "MainMenu", Base},
    {"ItemDataWin", "ItemData", "ItemData", Corvane},
    {"InventoryWin", "Inventory", "Inventory", Corvane},
    {"TrackWin", "Track", "Track", Corvane},
    {"AltAdvWin", "AltAdv", "AltAdv", Vorran},
    {"BazaarMerchantWin", "BazaarMerchant", "BazaarMerchant", Vorran},
}};

std::string_view KeyPrefix(int kind)
{
    return GameWindow(kind).keyPrefix;
}

} // namespace

const GameWindowInfo &GameWindow(int kind)
{
    // An unknown kind gets no name rather than another window's.
    static constexpr GameWindowInfo Unknown{{}, {}, {}, Base};
    if (kind < WindowColorTable::first || kind > WindowColorTable::last)
        return Unknown;
    return GameWindows[static_cast<std::size_t>(kind - WindowColorTable::first)];
}

bool LoadWindowColorsSection(const std::string &path, WindowColorTable &table)
{
    TDMStyleIniFile ini(path);
    for (int kind = WindowColorTable::first; kind <= WindowColorTable::last; ++kind) {
        const auto prefix = KeyPrefix(kind);
        table[kind].color = ReadRgbKeys(ini, Section, prefix, DefaultComponent);
        table[kind].trans = ini.ReadNumber(Section, KeyName(prefix).Append("Trans"), DefaultTrans);
    }
    return true;
}

bool SaveWindowColorsSection(const std::string &path, const WindowColorTable &table)
{
    TDMStyleIniFile ini(path);
    for (int kind = WindowColorTable::first; kind <= WindowColorTable::last; ++kind) {
        const auto prefix = KeyPrefix(kind);
        WriteRgbKeys(ini, Section, prefix, table[kind].color);
        ini.WriteNumber(Section, KeyName(prefix).Append("Trans"), table[kind].trans);
    }
    ini.UpdateFile();
    return true;
}
