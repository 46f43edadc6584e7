#include "ClientFile.h"

#include "SectionText.h"
#include "TempFolder.h"
#include "ini/IniError.h"
#include "locate/ClientFileLocation.h"

#include <filesystem>
#include <functional>
#include <set>

#include <gtest/gtest.h>

namespace {

class ClientFileTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    ClientSettings FreshLoad()
    {
        ClientSettings settings;
        EXPECT_EQ(LoadAllSections(path, settings), std::nullopt);
        return settings;
    }
    void LoadAndSave()
    {
        const ClientSettings settings = FreshLoad();
        EXPECT_EQ(SaveAllSections(path, settings), std::nullopt);
    }
};

TEST_F(ClientFileTest, DefaultRecordsSavedIntoAMissingFileGiveTheExpectedBytes)
{
    const ClientSettings settings = FreshLoad();
    EXPECT_FALSE(std::filesystem::exists(path)) << "a load created the file";

    EXPECT_EQ(SaveAllSections(path, settings), std::nullopt);
    const std::string expected = TestData("default_client_file.ini");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadBytes(path), expected);

    // A second save with no edits in between changes nothing.
    LoadAndSave();
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(ClientFileTest, FileInTheSavedFormSurvivesLoadAndSaveByteForByte)
{
    // Unknown sections and keys, comments, blank lines, odd spacing, keys out of order,
    // section names in other letter cases and no final line break.
    const std::string original = TestData("realistic_client.ini");
    ASSERT_FALSE(original.empty());
    WriteBytes(path, original);

    LoadAndSave();

    EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(ClientFileTest, ValuesOutsideTheSavedFormAreNormalisedAndNothingElseChanges)
{
    // The same file with a flag of "yes", a colour of 300, a sort type of "distance", a
    // ShowSpellEffects of TRUE, a screen mode of "full", a names level of 7, a window colour
    // of -1 and a hexadecimal container position.
    WriteBytes(path, TestData("odd_values_client.ini"));

    LoadAndSave();

    const std::string expected = TestData("odd_values_client_saved.ini");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(ClientFileTest, ReloadAfterEditsGivesTheRecordsOfAFreshLoad)
{
    WriteBytes(path, TestData("odd_values_client.ini"));
    ClientSettings settings = FreshLoad();

    // Edits of every record, among them the two fields a load leaves alone when it does not
    // recognise their words (as this file's TrackSortType).
    settings.Defaults.TrackSortType = TrackSortKind::Consider;
    settings.Defaults.TrackPlayers = TrackPlayersKind::Group;
    settings.Defaults.Flag(DefaultsFlag::Sound) = false;
    settings.BagPositions[0].x = 5;
    settings.WindowLayouts[2][6].x = 77;
    settings.WindowLayouts[2][12].w = 1;
    settings.WindowColors[1].trans = 4;
    settings.KeyMaps[5] = "x";
    settings.UserColors[3] = {9, 9, 9};

    ClearSettings(settings);
    EXPECT_EQ(LoadAllSections(path, settings), std::nullopt);

    EXPECT_EQ(settings, FreshLoad());
    EXPECT_EQ(settings.Defaults.TrackSortType, TrackSortKind::Normal);
}

TEST_F(ClientFileTest, RefusedWriteStopsTheSaveAtThatSection)
{
    WriteBytes(path, CrlfFile({"[KeyMaps]", "KEYMAP_AUTORUN=F1", "[TextColors]", "User_1_Red=5"}));
    ClientSettings settings = FreshLoad();
    settings.Defaults.VideoMode = 3;
    settings.WindowColors[13].trans = 4;
    settings.KeyMaps[0] = "F2";
    settings.KeyMaps[40] = "0\nKEYMAP_HOT1=9";
    settings.UserColors[1].red = 9;

    const SectionsError error = SaveAllSections(path, settings);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "Unable to write to " + path);
    const std::string saved = ReadBytes(path);
    // Every section before [KeyMaps] is written; [KeyMaps] is not written at all, not even the
    // keys before the refused one, and [TextColors] is not attempted.
    EXPECT_EQ(SectionNames(saved),
              (std::vector<std::string>{"KeyMaps",
                                        "TextColors",
                                        "Defaults",
                                        "BagPositions",
                                        "Windows640",
                                        "Windows800",
                                        "Windows1024",
                                        "Windows1280",
                                        "Windows1600",
                                        "WindowColors"}));
    EXPECT_EQ(SectionLines(saved, "KeyMaps"), std::vector<std::string>{"KEYMAP_AUTORUN=F1"});
    EXPECT_EQ(SectionLines(saved, "TextColors"), std::vector<std::string>{"User_1_Red=5"});
    EXPECT_EQ(SectionKeys(saved, "Defaults").size(), 73u);
    EXPECT_EQ(SectionLines(saved, "WindowColors").back(), "BazaarMerchantWinTrans=4");
}

TEST_F(ClientFileTest, SaveIntoAMissingFolderIsRefusedWithThePath)
{
    path = folder.file("no-such-folder/dmclient.ini");
    const ClientSettings settings = FreshLoad();

    EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "no-such-folder"));
}

// Every section save raises the refusal itself, with the path, so the whole-file save can stop.
struct SectionSave
{
    const char *name;
    std::function<void(const std::string &, const ClientSettings &)> save;
};

void PrintTo(const SectionSave &s, std::ostream *out)
{
    *out << s.name;
}

class SectionSaveTest : public ClientFileTest, public ::testing::WithParamInterface<SectionSave>
{};

TEST_P(SectionSaveTest, RefusedWriteRaisesTheErrorWithThePath)
{
    // A folder standing where the file should be cannot be written, not even by root.
    std::filesystem::create_directory(path);
    ClientSettings settings;
    EXPECT_EQ(LoadAllSections(path, settings), "Unable to read " + path);
    try {
        GetParam().save(path, settings);
        FAIL() << "the save went through";
    } catch (const IniWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EverySection,
    SectionSaveTest,
    ::testing::Values(SectionSave{"Defaults",
                                  [](auto &path, auto &settings) {
                                      SaveDefaultsSection(path, settings.Defaults);
                                  }},
                      SectionSave{"BagPositions",
                                  [](auto &path, auto &settings) {
                                      SaveBagPositionsSection(path, settings.BagPositions);
                                  }},
                      SectionSave{"WindowLayouts",
                                  [](auto &path, auto &settings) {
                                      SaveWindowLayoutSections(path, settings.WindowLayouts);
                                  }},
                      SectionSave{"WindowColors",
                                  [](auto &path, auto &settings) {
                                      SaveWindowColorsSection(path, settings.WindowColors);
                                  }},
                      SectionSave{"KeyMaps",
                                  [](auto &path, auto &settings) {
                                      SaveKeyMapSection(path, settings.KeyMaps);
                                  }},
                      SectionSave{"TextColors", [](auto &path, auto &settings) {
                                      SaveTextColorsSection(path, settings.UserColors);
                                  }}));

// Locating the client file's folder, with the operating system's answers staged.
struct LocateCase
{
    const char *name;
    std::optional<std::string> appPath;
    std::set<std::string> files;
    std::string expected;
    FoundBy foundBy;
};

void PrintTo(const LocateCase &c, std::ostream *out)
{
    *out << c.name;
}

class LocateClientFolderTest : public ::testing::TestWithParam<LocateCase>
{};

TEST_P(LocateClientFolderTest, ChoosesTheFolder)
{
    const LocateCase &c = GetParam();
    PlatformProbe probe;
    probe.readAppPathValue = [&c] { return c.appPath; };
    probe.isRegularFile = [&c](const std::string &file) { return c.files.contains(file); };
    probe.executableFolder = [] { return std::string("E:\\Tools\\VEzaz\\"); };

    EXPECT_EQ(LocateClientFolder(probe), c.expected);
    const auto location = LocateClientFile(probe);
    EXPECT_EQ(location.chosen.origin.foundBy, c.foundBy);
    EXPECT_EQ(location.exists, c.files.contains(c.expected + "dmclient.ini"));
    EXPECT_EQ(location.found.size(), location.exists ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    LocateClientFolderTest,
    ::testing::Values(
        LocateCase{"RegistryFolder",
                   "D:\\Games\\Client",
                   {"D:\\Games\\Client\\dmclient.ini"},
                   "D:\\Games\\Client\\",
                   FoundBy::Registry},
        LocateCase{"RegistryFolderWithSeparator",
                   "D:\\Games\\Client\\",
                   {"D:\\Games\\Client\\dmclient.ini"},
                   "D:\\Games\\Client\\",
                   FoundBy::Registry},
        LocateCase{"DefaultFolder",
                   std::nullopt,
                   {"C:\\PROGRA~1\\DUSKMA~1\\dmclient.ini"},
                   "C:\\PROGRA~1\\DUSKMA~1\\",
                   FoundBy::DefaultFolder},
        LocateCase{
            "NoFileAnywhere", std::nullopt, {}, "E:\\Tools\\VEzaz\\", FoundBy::ProgramFolder},
        // Once the registry names a folder, the default folder is not tried.
        LocateCase{"RegistryFolderWithoutFile",
                   "D:\\Games\\Client",
                   {"C:\\PROGRA~1\\DUSKMA~1\\dmclient.ini"},
                   "E:\\Tools\\VEzaz\\",
                   FoundBy::ProgramFolder},
        LocateCase{"EmptyRegistryPath", "", {"\\dmclient.ini"}, "\\", FoundBy::Registry}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
