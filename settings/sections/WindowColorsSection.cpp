#include "sections/WindowColorsSection.h"

#include "ini/SuppUnit.h"
#include "sections/SectionFile.h"

#include <array>

namespace {

constexpr std::string_view Section = "WindowColors";

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

SectionRecords RecordsOf(WindowColorTable &table)
{
    SectionRecords records;
    records.windowColors = &table;
    return records;
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
    LoadCatalogueSection(ini, Section, RecordsOf(table));
    return true;
}

bool SaveWindowColorsSection(const std::string &path, const WindowColorTable &table)
{
    TDMStyleIniFile ini(path);
    // The records are only read: a save spells their values.
    SaveCatalogueSection(ini, Section, RecordsOf(const_cast<WindowColorTable &>(table)));
    ini.UpdateFile();
    return true;
}
