#include "sections/WindowLayoutSections.h"

#include "SectionText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using enum GameWindowKind;

const std::vector<std::string> Sections
    = {"Windows640", "Windows800", "Windows1024", "Windows1280", "Windows1600"};

int Index(GameWindowKind kind)
{
    return static_cast<int>(kind);
}

// Every key one section holds, in the order a save writes them.
std::vector<std::string> SectionKeyOrder()
{
    std::vector<std::string> keys;
    for (const char *prefix : {"PlayerWin",
                               "PartyWin",
                               "TargetWin",
                               "HotButtonWin",
                               "SpellsWin",
                               "ChatWin",
                               "AffectWin",
                               "MainMenuWin",
                               "ItemDataWin",
                               "InventoryWin",
                               "TrackWin"})
        for (const char *suffix : {"Y", "X", "H", "W"})
            keys.push_back(std::string(prefix) + suffix);
    for (const char *key : {"AltAdvWinY", "AltAdvWinX", "BazaarMerchantWinY", "BazaarMerchantWinX"})
        keys.emplace_back(key);
    return keys;
}

// A layout that loads from no keys at all.
WindowLayout EmptyLayout()
{
    WindowLayout layout;
    layout[Index(AltAdv)] = {0, 0, 440, 360};
    layout[Index(BazaarMerchant)] = {0, 0, 41, 57};
    return layout;
}

class WindowLayoutSectionsTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    WindowLayoutTable LoadFrom(const std::vector<std::string> &lines)
    {
        WriteBytes(path, CrlfFile(lines));
        WindowLayoutTable table;
        EXPECT_TRUE(LoadWindowLayoutSections(path, table));
        return table;
    }
    std::string Saved(const WindowLayoutTable &table)
    {
        EXPECT_TRUE(SaveWindowLayoutSections(path, table));
        return ReadBytes(path);
    }
};

TEST_F(WindowLayoutSectionsTest, OnlyOneSectionInTheFileLoadsTheOthersEmptyAndSavesAllFive)
{
    const WindowLayoutTable table = LoadFrom({"[Windows800]",
                                              "ChatWinY=400",
                                              "ChatWinX=10",
                                              "ChatWinH=150",
                                              "ChatWinW=300",
                                              "AltAdvWinY=20",
                                              "AltAdvWinX=30"});
    WindowLayout expected800 = EmptyLayout();
    expected800[Index(Chat)] = {400, 10, 150, 300};
    expected800[Index(AltAdv)] = {20, 30, 440, 360};
    EXPECT_EQ(table[2], expected800);
    for (int resolution : {1, 3, 4, 5})
        EXPECT_EQ(table[resolution], EmptyLayout()) << resolution;

    const std::string saved = Saved(table);
    EXPECT_EQ(SectionNames(saved),
              (std::vector<std::string>{
                  "Windows800", "Windows640", "Windows1024", "Windows1280", "Windows1600"}));
    std::vector<std::string> order800
        = {"ChatWinY", "ChatWinX", "ChatWinH", "ChatWinW", "AltAdvWinY", "AltAdvWinX"};
    for (const std::string &key : SectionKeyOrder())
        if (!key.starts_with("ChatWin") && !key.starts_with("AltAdvWin"))
            order800.push_back(key);
    EXPECT_EQ(SectionKeys(saved, "Windows800"), order800);
    for (const std::string &section : {Sections[0], Sections[2], Sections[3], Sections[4]})
        EXPECT_EQ(SectionKeys(saved, section), SectionKeyOrder()) << section;
}

TEST_F(WindowLayoutSectionsTest, EveryValueGoesToItsOwnKeyInItsOwnSection)
{
    WindowLayoutTable table;
    for (int resolution = 1; resolution <= 5; ++resolution)
        for (int kind = 1; kind <= 13; ++kind)
            table[resolution][kind] = {resolution * 1000 + kind * 10 + 1,
                                       resolution * 1000 + kind * 10 + 2,
                                       resolution * 1000 + kind * 10 + 3,
                                       resolution * 1000 + kind * 10 + 4};
    const std::string saved = Saved(table);

    EXPECT_EQ(SectionNames(saved), Sections);
    const auto windows1280 = SectionLines(saved, "Windows1280");
    ASSERT_EQ(windows1280.size(), 48u);
    EXPECT_EQ(windows1280[0], "PlayerWinY=4011");
    EXPECT_EQ(windows1280[23], "ChatWinW=4064");
    EXPECT_EQ(windows1280[44], "AltAdvWinY=4121");
    EXPECT_EQ(windows1280[47], "BazaarMerchantWinX=4132");

    // Read back, only the fixed sizes differ from what was saved.
    WindowLayoutTable reloaded;
    LoadWindowLayoutSections(path, reloaded);
    for (int resolution = 1; resolution <= 5; ++resolution) {
        table[resolution][Index(AltAdv)].h = 440;
        table[resolution][Index(AltAdv)].w = 360;
        table[resolution][Index(BazaarMerchant)].h = 41;
        table[resolution][Index(BazaarMerchant)].w = 57;
    }
    EXPECT_EQ(reloaded, table);
}

TEST_F(WindowLayoutSectionsTest, SizeKeysOfTheVorranWindowsAreIgnoredAndLeftAlone)
{
    WindowLayoutTable table = LoadFrom({"[Windows1024]",
                                        "AltAdvWinW=500",
                                        "AltAdvWinH=300",
                                        "ChatWinX=-20",
                                        "ChatWinY=$10",
                                        "ChatWinH=tall"});
    EXPECT_EQ(table[3][Index(AltAdv)], (WindowLayoutEntry{0, 0, 440, 360}));
    EXPECT_EQ(table[3][Index(Chat)], (WindowLayoutEntry{16, -20, 0, 0}));

    table[3][Index(BazaarMerchant)].w = 99;
    const std::string saved = Saved(table);
    const auto lines = SectionLines(saved, "Windows1024");
    EXPECT_EQ(
        std::vector<std::string>(lines.begin(), lines.begin() + 5),
        (std::vector<std::string>{
            "AltAdvWinW=500", "AltAdvWinH=300", "ChatWinX=-20", "ChatWinY=16", "ChatWinH=0"}));
    EXPECT_EQ(saved.find("BazaarMerchantWinW"), std::string::npos);

    LoadWindowLayoutSections(path, table);
    EXPECT_EQ(table[3][Index(BazaarMerchant)], (WindowLayoutEntry{0, 0, 41, 57}));
}

TEST_F(WindowLayoutSectionsTest, OtherResolutionsAndWindowsAreNeitherReadNorWritten)
{
    const WindowLayoutTable table = LoadFrom(
        {"[Windows1280x1024]", "ChatWinX=5", "[Windows800]", "BuffWinX=6", "ChatWinXX=7"});
    for (int resolution = 1; resolution <= 5; ++resolution)
        EXPECT_EQ(table[resolution], EmptyLayout()) << resolution;

    const std::string saved = Saved(table);
    EXPECT_EQ(SectionLines(saved, "Windows1280x1024"), std::vector<std::string>{"ChatWinX=5"});
    const auto lines = SectionLines(saved, "Windows800");
    EXPECT_EQ(lines.size(), 48u + 2u);
    EXPECT_EQ(lines[0], "BuffWinX=6");
    EXPECT_EQ(lines[1], "ChatWinXX=7");
}

TEST(ResolutionTest, NamesTheFiveLayouts)
{
    const std::vector<ScreenResolutionInfo> expected = {{"Windows640", "640x480", 640, 480},
                                                        {"Windows800", "800x600", 800, 600},
                                                        {"Windows1024", "1024x768", 1024, 768},
                                                        {"Windows1280", "1280x960", 1280, 960},
                                                        {"Windows1600", "1600x1200", 1600, 1200}};
    for (int resolution = 1; resolution <= 5; ++resolution) {
        const ScreenResolutionInfo &info = Resolution(resolution);
        const ScreenResolutionInfo &want = expected[static_cast<std::size_t>(resolution - 1)];
        EXPECT_EQ(info.section, want.section);
        EXPECT_EQ(info.label, want.label);
        EXPECT_EQ(info.width, want.width);
        EXPECT_EQ(info.height, want.height);
    }
    EXPECT_EQ(Resolution(0).section, "");
    EXPECT_EQ(Resolution(6).section, "");
}

} // namespace
