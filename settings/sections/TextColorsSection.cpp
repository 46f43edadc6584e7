#include "sections/TextColorsSection.h"

#include "ini/SuppUnit.h"
#include "sections/SectionFile.h"

#include <array>

namespace {

constexpr std::string_view Section = "TextColors";

constexpr std::array<std::string_view, UserColorTable::count> Captions{
    "User_1: Say",
    "User_2: Tell",
    "User_3: Group",
    "User_4: Guild",
    "User_5: OOC",
    "User_6: Auction",
    "User_7: Shout",
    "User_8: Emote",
    "User_9: Spells",
    "User_10: You hit other",
    "User_11: Other hits you",
    "User_12: You miss other",
    "User_13: Other misses you",
    "User_14: Some broadcasts (duels)",
    "User_15: Skills",
    "User_16: Disciplines/Abilities",
    "User_17: Unused at this time",
    "User_18: Default text and stuff you type",
    "User_19: Unused at this time",
    "User_20: Merchant Offer Price",
    "User_21: Merchant Buy/Sell",
    "User_22: Your death message",
    "User_23: Others death message",
    "User_24: Other damage other",
    "User_25: Other miss other",
    "User_26: /who command",
    "User_27: Yell for help",
    "User_28: Hit for non-melee",
    "User_29: Spell worn off",
    "User_30: Money splits",
    "User_31: Loot message",
    "User_32: Dice Roll (/random)",
    "User_33: Others spells",
    "User_34: Spell Failures",
    "User_35: Chat Channel Messages",
    "User_36: Chat Channel 1",
    "User_37: Chat Channel 2",
    "User_38: Chat Channel 3",
    "User_39: Chat Channel 4",
    "User_40: Chat Channel 5",
    "User_41: Chat Channel 6",
    "User_42: Chat Channel 7",
    "User_43: Chat Channel 8",
    "User_44: Chat Channel 9",
    "User_45: Chat Channel 10",
    "User_46: Melee critical filter",
    "User_47: Spell critical filter",
    "User_48: Your target is too far away",
    "User_49: Rampage text",
    "User_50: Flurry text",
    "User_51: Enrage text",
};

SectionRecords RecordsOf(UserColorTable &table)
{
    SectionRecords records;
    records.userColors = &table;
    return records;
}

} // namespace

std::string_view TextColorCaption(int n)
{
    if (n < UserColorTable::first || n > UserColorTable::last)
        return {};
    return Captions[static_cast<std::size_t>(n - UserColorTable::first)];
}

bool LoadTextColorsSection(const std::string &path, UserColorTable &table)
{
    TDMStyleIniFile ini(path);
    LoadCatalogueSection(ini, Section, RecordsOf(table));
    return true;
}

bool SaveTextColorsSection(const std::string &path, const UserColorTable &table)
{
    TDMStyleIniFile ini(path);
    // The records are only read: a save spells their values.
    SaveCatalogueSection(ini, Section, RecordsOf(const_cast<UserColorTable &>(table)));
    ini.UpdateFile();
    return true;
}
