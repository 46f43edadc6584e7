#include "sections/WindowColorsSection.h"

#include "SectionText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> Prefixes = {"PlayerWin",
                                           "PartyWin",
                                           "TargetWin",
                                           "HotButtonWin",
                                           "SpellsWin",
                                           "ChatWin",
                                           "AffectWin",
                                           "MainMenuWin",
                                           "ItemDataWin",
                                           "InventoryWin",
                                           "TrackWin",
                                           "AltAdvWin",
                                           "BazaarMerchantWin"};

class WindowColorsSectionTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    WindowColorTable LoadFrom(const std::vector<std::string> &lines)
    {
        WriteBytes(path, CrlfFile(lines));
        WindowColorTable table;
        EXPECT_TRUE(LoadWindowColorsSection(path, table));
        return table;
    }
    std::vector<std::string> SavedLines(const WindowColorTable &table)
    {
        EXPECT_TRUE(SaveWindowColorsSection(path, table));
        return SectionLines(ReadBytes(path), "WindowColors");
    }
};

TEST_F(WindowColorsSectionTest, FileWithoutTheSectionLoadsTheDefaultsAndSavesAll52KeysInOrder)
{
    WindowColorTable table = LoadFrom({"[TextColors]", "User_1_Red=9"});
    for (int kind = 1; kind <= 13; ++kind)
        EXPECT_EQ(table[kind], (WindowColorEntry{{1, 1, 1}, 2})) << kind;

    // A distinct value in every key, so a swapped key or window shows up.
    std::vector<std::string> expected;
    for (int kind = 1; kind <= 13; ++kind) {
        const auto value = [kind](int offset) { return static_cast<std::uint8_t>(kind + offset); };
        table[kind] = {{value(0), value(20), value(40)}, -kind};
        const std::string &prefix = Prefixes[static_cast<std::size_t>(kind - 1)];
        expected.push_back(prefix + "Red=" + std::to_string(kind));
        expected.push_back(prefix + "Green=" + std::to_string(kind + 20));
        expected.push_back(prefix + "Blue=" + std::to_string(kind + 40));
        expected.push_back(prefix + "Trans=" + std::to_string(-kind));
    }
    EXPECT_EQ(SavedLines(table), expected);
}

// One key's text, what the window's entry loads as, and the text saved back.
struct WindowColorCase
{
    std::string line;
    GameWindowKind kind;
    WindowColorEntry loaded;
    std::string savedLine;
};

void PrintTo(const WindowColorCase &c, std::ostream *out)
{
    *out << c.line;
}

class WindowColorValueTest : public WindowColorsSectionTest,
                             public ::testing::WithParamInterface<WindowColorCase>
{};

TEST_P(WindowColorValueTest, LoadsAndSavesBack)
{
    const WindowColorCase &c = GetParam();
    const WindowColorTable table = LoadFrom({"[WindowColors]", c.line});
    EXPECT_EQ(table[static_cast<int>(c.kind)], c.loaded);
    EXPECT_EQ(SavedLines(table).front(), c.savedLine);
}

using enum GameWindowKind;

INSTANTIATE_TEST_SUITE_P(
    Values,
    WindowColorValueTest,
    ::testing::Values(
        // Trans is kept whole, whatever its range.
        WindowColorCase{"ChatWinTrans=7", Chat, {{1, 1, 1}, 7}, "ChatWinTrans=7"},
        WindowColorCase{"ChatWinTrans=-3", Chat, {{1, 1, 1}, -3}, "ChatWinTrans=-3"},
        WindowColorCase{"ChatWinTrans=0", Chat, {{1, 1, 1}, 0}, "ChatWinTrans=0"},
        WindowColorCase{"ChatWinTrans=abc", Chat, {{1, 1, 1}, 2}, "ChatWinTrans=2"},
        // Components keep their low eight bits.
        WindowColorCase{"TargetWinGreen=511", Target, {{1, 255, 1}, 2}, "TargetWinGreen=255"},
        WindowColorCase{"TargetWinRed=256", Target, {{0, 1, 1}, 2}, "TargetWinRed=0"},
        WindowColorCase{"PartyWinBlue=9", Party, {{1, 1, 9}, 2}, "PartyWinBlue=9"},
        WindowColorCase{"PlayerWinRed=x20", Player, {{32, 1, 1}, 2}, "PlayerWinRed=32"},
        WindowColorCase{"PlayerWinRed=red", Player, {{1, 1, 1}, 2}, "PlayerWinRed=1"},
        WindowColorCase{"BazaarMerchantWinBlue=200",
                        BazaarMerchant,
                        {{1, 1, 200}, 2},
                        "BazaarMerchantWinBlue=200"}));

TEST_F(WindowColorsSectionTest, KeysOfUnknownWindowsAreNeitherReadNorWritten)
{
    const WindowColorTable table
        = LoadFrom({"[WindowColors]", "BuffWinRed=9", "PlayerRed=8", "PlayerWinAlpha=7"});
    for (int kind = 1; kind <= 13; ++kind)
        EXPECT_EQ(table[kind], (WindowColorEntry{{1, 1, 1}, 2})) << kind;

    const auto lines = SavedLines(table);
    EXPECT_EQ(lines.size(), 52u + 3u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              (std::vector<std::string>{"BuffWinRed=9", "PlayerRed=8", "PlayerWinAlpha=7"}));
}

TEST(GameWindowTest, NamesEveryWindowWithItsPrefixCaptionAndGroup)
{
    for (int kind = 1; kind <= 13; ++kind) {
        const GameWindowInfo &info = GameWindow(kind);
        EXPECT_EQ(info.keyPrefix, Prefixes[static_cast<std::size_t>(kind - 1)]);
        // Each list entry is its prefix without "Win"; only Affect shows another caption.
        EXPECT_EQ(std::string(info.listEntry) + "Win", info.keyPrefix);
        if (kind != 7) {
            EXPECT_EQ(info.previewCaption, info.listEntry) << kind;
        }
    }
    EXPECT_EQ(GameWindow(Affect).previewCaption, "Affects");

    for (GameWindowKind kind : {Player, Party, Target, HotButton, Spells, Chat, Affect, MainMenu})
        EXPECT_EQ(GameWindow(kind).group, WindowExpansionGroup::Base);
    for (GameWindowKind kind : {ItemData, Inventory, Track})
        EXPECT_EQ(GameWindow(kind).group, WindowExpansionGroup::Corvane);
    for (GameWindowKind kind : {AltAdv, BazaarMerchant})
        EXPECT_EQ(GameWindow(kind).group, WindowExpansionGroup::Vorran);

    EXPECT_EQ(GameWindow(0).keyPrefix, "");
    EXPECT_EQ(GameWindow(14).keyPrefix, "");
}

} // namespace
