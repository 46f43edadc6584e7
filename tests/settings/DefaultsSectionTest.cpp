#include "sections/DefaultsSection.h"

#include "SectionText.h"
#include "TempFolder.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

using enum DefaultsFlag;

// What saving the load's defaults writes, in the order the game's own file lists the keys.
const std::vector<std::string> DefaultLines
    = SectionLines(TestData("default_client_file.ini"), "Defaults");

// The record a file without [Defaults] gives, spelled out field by field.
DefaultsSettings MissingSectionDefaults()
{
    DefaultsSettings expected;
    for (DefaultsFlag flag : {AttackOnAssist,
                              ShowInspectMessage,
                              InvWinLabels,
                              InspectOthers,
                              LoadArmor17,
                              LoadArmor18,
                              LoadArmor19,
                              LoadArmor20,
                              LoadArmor21,
                              LoadArmor22,
                              LoadArmor23,
                              ShowSpellEffects,
                              UseD3DTextureCompression,
                              Sound,
                              UseVorranElementals,
                              MipMapping,
                              UseTnL,
                              ShowGrass})
        expected.Flag(flag) = true;
    expected.TrackSortType = TrackSortKind::Normal;
    expected.TrackPlayers = TrackPlayersKind::Yes;
    expected.ChatFontSize = 1;
    expected.VideoModeBitsPerPixel = 16;
    expected.TextureQuality = 1;
    expected.ShowNamesLevel = 4;
    return expected;
}

class DefaultsSectionTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    DefaultsSettings LoadFrom(const std::vector<std::string> &lines)
    {
        WriteBytes(path, CrlfFile(lines));
        DefaultsSettings settings;
        EXPECT_TRUE(LoadDefaultsSection(path, settings));
        return settings;
    }
    std::vector<std::string> SavedLines(const DefaultsSettings &settings)
    {
        EXPECT_TRUE(SaveDefaultsSection(path, settings));
        return SectionLines(ReadBytes(path), "Defaults");
    }
};

TEST_F(DefaultsSectionTest, FileWithoutTheSectionLoadsTheDefaultsAndSavesEveryKeyInOrder)
{
    const DefaultsSettings settings = LoadFrom({"[Other]", "RunMode=TRUE"});
    EXPECT_EQ(settings, MissingSectionDefaults());
    ASSERT_EQ(DefaultLines.size(), 73u);

    EXPECT_EQ(SavedLines(settings), DefaultLines);
    EXPECT_EQ(SectionNames(ReadBytes(path)), (std::vector<std::string>{"Other", "Defaults"}));
    EXPECT_EQ(SectionLines(ReadBytes(path), "Other"), std::vector<std::string>{"RunMode=TRUE"});
}

// One key's text in the file, what the load makes of it, and what the next save writes back.
struct EncodingCase
{
    std::string key;
    std::string stored;
    std::function<int(const DefaultsSettings &)> field;
    int loaded;
    std::string saved;
};

void PrintTo(const EncodingCase &c, std::ostream *out)
{
    *out << c.key << "=" << c.stored;
}

int FlagOf(const DefaultsSettings &s, DefaultsFlag flag)
{
    return s.Flag(flag) ? 1 : 0;
}

std::function<int(const DefaultsSettings &)> FlagField(DefaultsFlag flag)
{
    return [flag](const DefaultsSettings &s) { return FlagOf(s, flag); };
}

std::function<int(const DefaultsSettings &)> NumberField(std::int32_t DefaultsSettings::*field)
{
    return [field](const DefaultsSettings &s) { return s.*field; };
}

const auto SortField = [](const DefaultsSettings &s) { return int(s.TrackSortType); };
const auto PlayersField = [](const DefaultsSettings &s) { return int(s.TrackPlayers); };
const auto NamesField = NumberField(&DefaultsSettings::ShowNamesLevel);

class DefaultsEncodingTest : public DefaultsSectionTest,
                             public ::testing::WithParamInterface<EncodingCase>
{};

TEST_P(DefaultsEncodingTest, LoadsAndSavesBack)
{
    const EncodingCase &c = GetParam();
    const DefaultsSettings settings = LoadFrom({"[Defaults]", c.key + "=" + c.stored});
    EXPECT_EQ(c.field(settings), c.loaded);

    // The key keeps its place at the top of the section and holds the saved spelling.
    const auto lines = SavedLines(settings);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), c.key + "=" + c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    TrueFalseWords,
    DefaultsEncodingTest,
    ::testing::Values(
        EncodingCase{"RunMode", "TRUE", FlagField(RunMode), 1, "TRUE"},
        EncodingCase{"RunMode", "true", FlagField(RunMode), 1, "TRUE"},
        EncodingCase{"Log", "  True  ", FlagField(Log), 1, "TRUE"},
        EncodingCase{"Log", "1", FlagField(Log), 0, "FALSE"},
        EncodingCase{"LockWindows", "YES", FlagField(LockWindows), 0, "FALSE"},
        EncodingCase{"ShowGrass", "ON", FlagField(ShowGrass), 0, "FALSE"},
        // Present but empty is not missing: the default true does not apply.
        EncodingCase{"AttackOnAssist", "", FlagField(AttackOnAssist), 0, "FALSE"},
        EncodingCase{"UseVorranIksarFemale", "TRUE", FlagField(UseVorranIksarFemale), 1, "TRUE"}));

INSTANTIATE_TEST_SUITE_P(
    ScreenModeWords,
    DefaultsEncodingTest,
    ::testing::Values(EncodingCase{"ScreenMode", "FULL", FlagField(ScreenMode), 1, "FULL"},
                      EncodingCase{"ScreenMode", "full", FlagField(ScreenMode), 1, "FULL"},
                      EncodingCase{"ScreenMode", "window", FlagField(ScreenMode), 0, "NORMAL"},
                      EncodingCase{"ScreenMode", "", FlagField(ScreenMode), 0, "NORMAL"}));

INSTANTIATE_TEST_SUITE_P(
    DigitFlags,
    DefaultsEncodingTest,
    ::testing::Values(
        // TRUE is no number: each key falls back to its own default.
        EncodingCase{"ShowSpellEffects", "TRUE", FlagField(ShowSpellEffects), 1, "1"},
        EncodingCase{"ServerFilter", "TRUE", FlagField(ServerFilter), 0, "0"},
        EncodingCase{"ShowSpellEffects", "0", FlagField(ShowSpellEffects), 0, "0"},
        EncodingCase{"ServerFilter", "2", FlagField(ServerFilter), 1, "1"},
        EncodingCase{"ServerFilter", "-1", FlagField(ServerFilter), 1, "1"}));

INSTANTIATE_TEST_SUITE_P(
    TrackWords,
    DefaultsEncodingTest,
    ::testing::Values(EncodingCase{"TrackSortType", "DISTANCE", SortField, 1, "DISTANCE"},
                      EncodingCase{"TrackSortType", "RCONSIDER", SortField, 4, "RCONSIDER"},
                      // Sort words count only in capitals; the field keeps the cleared 0.
                      EncodingCase{"TrackSortType", "distance", SortField, 0, "NORMAL"},
                      EncodingCase{"TrackPlayers", "group", PlayersField, 2, "GROUP"},
                      EncodingCase{"TrackPlayers", "False", PlayersField, 0, "FALSE"},
                      EncodingCase{"TrackPlayers", "sometimes", PlayersField, 0, "FALSE"}));

INSTANTIATE_TEST_SUITE_P(
    NumbersAndLevels,
    DefaultsEncodingTest,
    ::testing::Values(
        EncodingCase{"ShowNamesLevel", "OFF", NamesField, 0, "OFF"},
        EncodingCase{"ShowNamesLevel", "7", NamesField, 4, "4"},
        EncodingCase{"ShowNamesLevel", "-2", NamesField, 0, "OFF"},
        EncodingCase{"ShowNamesLevel", "abc", NamesField, 4, "4"},
        EncodingCase{"VideoModeBitsPerPixel",
                     "24",
                     NumberField(&DefaultsSettings::VideoModeBitsPerPixel),
                     24,
                     "24"},
        EncodingCase{"ChatFontSize", "99", NumberField(&DefaultsSettings::ChatFontSize), 99, "99"},
        EncodingCase{
            "TrackFilterType", "$1F", NumberField(&DefaultsSettings::TrackFilterType), 31, "31"},
        EncodingCase{"MousePointerSpeedMod",
                     "0x10",
                     NumberField(&DefaultsSettings::MousePointerSpeedMod),
                     16,
                     "16"},
        EncodingCase{"LastCharSel", "-7", NumberField(&DefaultsSettings::LastCharSel), -7, "-7"},
        EncodingCase{
            "TextureQuality", "high", NumberField(&DefaultsSettings::TextureQuality), 1, "1"}));

TEST_F(DefaultsSectionTest, UnrecognisedTrackWordsLeaveTheFieldsAsTheyWere)
{
    WriteBytes(path, CrlfFile({"[Defaults]", "TrackSortType=Consider", "TrackPlayers=maybe"}));
    DefaultsSettings settings;
    settings.TrackSortType = TrackSortKind::RDistance;
    settings.TrackPlayers = TrackPlayersKind::Group;

    LoadDefaultsSection(path, settings);

    EXPECT_EQ(settings.TrackSortType, TrackSortKind::RDistance);
    EXPECT_EQ(settings.TrackPlayers, TrackPlayersKind::Group);
}

TEST_F(DefaultsSectionTest, ValuesWithoutASpellingAreNotWritten)
{
    WriteBytes(
        path,
        CrlfFile(
            {"[Defaults]", "TrackSortType=RCONSIDER", "TrackPlayers=GROUP", "ShowNamesLevel=2"}));
    DefaultsSettings settings = MissingSectionDefaults();
    settings.TrackSortType = static_cast<TrackSortKind>(5);
    settings.TrackPlayers = static_cast<TrackPlayersKind>(3);
    settings.ShowNamesLevel = 5;

    const auto lines = SavedLines(settings);

    EXPECT_EQ(lines.size(), DefaultLines.size());
    EXPECT_EQ(lines[0], "TrackSortType=RCONSIDER");
    EXPECT_EQ(lines[1], "TrackPlayers=GROUP");
    EXPECT_EQ(lines[2], "ShowNamesLevel=2");

    // Into a new file, the three keys are simply left out.
    settings.ShowNamesLevel = -1;
    path = folder.file("new.ini");
    const auto keys
        = SectionKeys((SaveDefaultsSection(path, settings), ReadBytes(path)), "Defaults");
    EXPECT_EQ(keys.size(), DefaultLines.size() - 3);
    for (const char *key : {"TrackSortType", "TrackPlayers", "ShowNamesLevel"})
        EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0) << key;
}

TEST_F(DefaultsSectionTest, SaveKeepsPresentKeysInPlaceAndAppendsTheMissingOnesInOrder)
{
    const DefaultsSettings settings = LoadFrom({"[Defaults]",
                                                "VideoMode=2",
                                                "SomeFutureOption=abc",
                                                "RunMode=TRUE",
                                                "[Other]",
                                                "Log=TRUE"});
    const auto lines = SavedLines(settings);

    std::vector<std::string> expected{"VideoMode=2", "SomeFutureOption=abc", "RunMode=TRUE"};
    for (const std::string &line : DefaultLines)
        if (!line.starts_with("VideoMode=") && !line.starts_with("RunMode="))
            expected.push_back(line);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(SectionLines(ReadBytes(path), "Other"), std::vector<std::string>{"Log=TRUE"});
}

} // namespace
