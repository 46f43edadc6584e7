#include "locate/WineClientFolder.h"

#include "ClientFile.h"
#include "FakeWinePrefix.h"
#include "LocationPrinters.h"
#include "locate/ClientFileLocation.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr const char *ExecutableFolder = "/opt/vezaz/bin/";
constexpr const char *DefaultFolderOnDriveC = "Program Files/Duskmarch Online";
constexpr std::int64_t Older = 1700000000;
constexpr std::int64_t Newer = Older + 3600;

std::vector<std::string> Paths(const std::vector<ClientFileCandidate> &files)
{
    std::vector<std::string> paths;
    for (const auto &file : files)
        paths.push_back(file.path);
    return paths;
}

std::string InFolder(const std::string &folder)
{
    return folder + "dmclient.ini";
}

// The whole search over a made-up home, as the program runs it.
class WineClientFolderTest : public testing::Test
{
protected:
    fs::path Home() const { return m_temp.path() / "home"; }
    fs::path Elsewhere() const { return m_temp.path() / "elsewhere"; }

    PlatformProbe Probe() const
    {
        return WinePlatformProbe(m_environment, [] { return std::string(ExecutableFolder); });
    }
    std::string Locate() const { return LocateClientFolder(Probe()); }
    ClientFileLocation Location() const { return LocateClientFile(Probe()); }

    static void Write(const fs::path &file, const std::string &text)
    {
        fs::create_directories(file.parent_path());
        WriteBytes(file, text);
    }

    TempFolder m_temp;
    PrefixSearchEnvironment m_environment{Home().string(), "", "", ""};
};

TEST_F(WineClientFolderTest, UsesTheExecutableFolderWithoutAnyPrefix)
{
    fs::create_directories(Home());

    EXPECT_EQ(Locate(), ExecutableFolder);
}

// A registered copy wins over a newer one in a default folder; among registered ones the
// newest wins.
TEST_F(WineClientFolderTest, PrefersTheRegisteredFileThenTheNewest)
{
    const auto first = MakeWinePrefix(Home() / ".wine");
    SetClientFileModified(AddClientFile(first, DefaultFolderOnDriveC), Newer + 60);
    const auto second = MakeWinePrefix(Home() / ".local/share/bottles/bottles/Duskmarch",
                                       AppPathRegistry("C:\\Games\\Duskmarch"));
    const auto third = MakeWinePrefix(Home() / "Games/Heroic/Prefixes/Duskmarch",
                                      AppPathRegistry("C:\\Games\\Duskmarch"));
    SetClientFileModified(AddClientFile(third, "Games/Duskmarch"), Older);

    const auto expected = AddClientFile(second, "Games/Duskmarch");
    SetClientFileModified(expected, Newer);
    EXPECT_EQ(Locate(), expected);
}

TEST_F(WineClientFolderTest, PutsWinePrefixFirstAmongEquals)
{
    SetClientFileModified(
        AddClientFile(MakeWinePrefix(Home() / ".wine", AppPathRegistry("C:\\Games\\Duskmarch")),
                      "Games/Duskmarch"),
        Older);
    const auto chosen
        = MakeWinePrefix(Elsewhere() / "chosen", AppPathRegistry("C:\\Games\\Duskmarch"));
    m_environment.winePrefix = chosen.string();

    const auto expected = AddClientFile(chosen, "Games/Duskmarch");
    SetClientFileModified(expected, Older);
    EXPECT_EQ(Locate(), expected);
}

// A registration left by an old install must not hide the file the prefix does hold.
TEST_F(WineClientFolderTest, GoesOnToTheDefaultFolderWhenTheRegistryFolderHoldsNoFile)
{
    const auto prefix = MakeWinePrefix(Home() / ".wine", AppPathRegistry("C:\\Games\\Duskmarch"));
    fs::create_directories(prefix / "drive_c/Games/Duskmarch");
    SetClientFileModified(
        AddClientFile(MakeWinePrefix(Home() / "Games/other"), DefaultFolderOnDriveC), Older);

    const auto expected = AddClientFile(prefix, DefaultFolderOnDriveC);
    SetClientFileModified(expected, Newer);
    EXPECT_EQ(Locate(), expected);
    EXPECT_EQ(Location().chosen.origin.foundBy, FoundBy::DefaultFolder);
}

TEST_F(WineClientFolderTest, FindsTheDefaultFolderInThePrefixThatHoldsTheFile)
{
    const auto empty = MakeWinePrefix(Home() / ".wine");
    fs::create_directories(empty / "drive_c" / DefaultFolderOnDriveC);
    const auto holding = MakeWinePrefix(Home() / "Games/duskmarch");
    fs::create_directories(holding / "drive_c/Program Files (x86)");

    const auto expected = AddClientFile(holding, DefaultFolderOnDriveC);
    EXPECT_EQ(Locate(), expected);
}

TEST_F(WineClientFolderTest, ReadsTheThirtyTwoBitViewOfTheRegistry)
{
    const auto prefix = MakeWinePrefix(
        Home() / ".wine",
        RegistryFile("[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                     "Paths\\\\Duskmarch.exe] 1\n\"Path\"=\"C:\\\\Games\\\\Duskmarch\\\\\"\n"));

    const auto expected = AddClientFile(prefix, "Games/Duskmarch");
    EXPECT_EQ(Locate(), expected);
}

TEST_F(WineClientFolderTest, SkipsAPrefixWhoseRegistryIsMalformed)
{
    const auto broken = MakeWinePrefix(
        Home() / ".wine", AppPathRegistry("C:\\Games\\Duskmarch") + "[Software\\\\Unclosed\n");
    AddClientFile(broken, "Games/Duskmarch");
    const auto sound
        = MakeWinePrefix(Home() / "Games/duskmarch", AppPathRegistry("C:\\GAMES\\DUSKMA~1"));

    const auto expected = AddClientFile(sound, "Games/Duskmarch");
    EXPECT_EQ(Locate(), expected);
}

TEST_F(WineClientFolderTest, FollowsDriveZToFoldersOutsideThePrefix)
{
    auto outside = (Elsewhere() / "Duskmarch").string();
    std::replace(outside.begin(), outside.end(), '/', '\\');
    MakeWinePrefix(Home() / ".wine", AppPathRegistry("Z:" + outside));
    fs::create_directories(Elsewhere() / "Duskmarch");
    WriteBytes(Elsewhere() / "Duskmarch/dmclient.ini", "");

    EXPECT_EQ(Locate(), (Elsewhere() / "Duskmarch").string() + '/');
}

// Two prefixes whose registries lead through drive Z: to the same folder: one file, found once.
TEST_F(WineClientFolderTest, CountsAFileReachedFromTwoPrefixesOnce)
{
    auto outside = (Elsewhere() / "Duskmarch").string();
    std::replace(outside.begin(), outside.end(), '/', '\\');
    MakeWinePrefix(Home() / ".wine", AppPathRegistry("Z:" + outside));
    MakeWinePrefix(Home() / "Games/duskmarch", AppPathRegistry("Z:" + outside));
    fs::create_directories(Elsewhere() / "Duskmarch");
    WriteBytes(Elsewhere() / "Duskmarch/dmclient.ini", "");

    const auto location = Location();
    ASSERT_EQ(location.found.size(), 1u);
    EXPECT_EQ(location.found[0].origin.prefix, (Home() / ".wine").string());
}

// The stale registration in ~/.wine next to a Bottles prefix that holds the game: the Bottles
// file is chosen, and the report says where ~/.wine led.
TEST_F(WineClientFolderTest, LooksPastAStaleRegistrationToAnotherPrefix)
{
    const auto wine = MakeWinePrefix(Home() / ".wine", AppPathRegistry("C:\\Games\\Duskmarch"));
    fs::create_directories(wine / "drive_c/Games/Duskmarch");
    const auto bottle = MakeWinePrefix(Home() / ".local/share/bottles/bottles/Duskmarch",
                                       AppPathRegistry("C:\\Games\\Duskmarch"));

    const auto expected = AddClientFile(bottle, "Games/Duskmarch");
    const auto location = Location();
    EXPECT_TRUE(location.exists);
    EXPECT_EQ(location.chosen.path, InFolder(expected));
    EXPECT_EQ(location.chosen.origin,
              (ClientFileOrigin{FoundBy::Registry, "Bottles", bottle.string()}));
    EXPECT_TRUE(location.chosen.modified.has_value());
    EXPECT_THAT(location.Others(), IsEmpty());
    ASSERT_GE(location.looked.size(), 2u);
    EXPECT_EQ(location.looked[0],
              (LookedPlace{{FoundBy::Registry, "Wine", wine.string()},
                           (wine / "drive_c/Games/Duskmarch/").string(),
                           "C:\\Games\\Duskmarch",
                           false}));
    EXPECT_EQ(location.looked[1].origin,
              (ClientFileOrigin{FoundBy::DefaultFolder, "Wine", wine.string()}));
    EXPECT_FALSE(location.looked[1].holdsFile);
}

TEST_F(WineClientFolderTest, SaysWhereItLookedWhenNoPrefixHoldsTheFile)
{
    const auto wine = MakeWinePrefix(Home() / ".wine");

    const auto location = Location();
    EXPECT_FALSE(location.exists);
    EXPECT_EQ(location.chosen.path, InFolder(ExecutableFolder));
    EXPECT_THAT(location.found, IsEmpty());
    ASSERT_EQ(location.looked.size(), 3u);
    EXPECT_EQ(location.looked[0],
              (LookedPlace{{FoundBy::Registry, "Wine", wine.string()}, "", "", false}));
    EXPECT_EQ(location.looked[1].origin,
              (ClientFileOrigin{FoundBy::DefaultFolder, "Wine", wine.string()}));
    EXPECT_EQ(location.looked[1].windowsFolder, DefaultClientFolder);
    EXPECT_EQ(location.looked[2],
              (LookedPlace{{FoundBy::ProgramFolder, "", ""}, ExecutableFolder, "", false}));
}

// The game in two prefixes, made in either order: the list follows the search order, the
// choice the newer file.
class TwoCopiesTest : public WineClientFolderTest,
                      public testing::WithParamInterface<std::tuple<bool, bool>>
{};

TEST_P(TwoCopiesTest, ListsBothInSearchOrderAndChoosesTheNewer)
{
    const auto [bottlesFirst, bottlesNewer] = GetParam();
    const auto lutrisPrefix = Home() / "Games/duskmarch";
    const auto bottlesPrefix = Home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Dm";
    std::string lutris;
    std::string bottles;
    const auto makeLutris
        = [&] { lutris = AddClientFile(MakeWinePrefix(lutrisPrefix), DefaultFolderOnDriveC); };
    const auto makeBottles
        = [&] { bottles = AddClientFile(MakeWinePrefix(bottlesPrefix), DefaultFolderOnDriveC); };
    bottlesFirst ? (makeBottles(), makeLutris()) : (makeLutris(), makeBottles());
    SetClientFileModified(lutris, bottlesNewer ? Older : Newer);
    SetClientFileModified(bottles, bottlesNewer ? Newer : Older);

    const auto location = Location();
    EXPECT_THAT(Paths(location.found), ElementsAre(InFolder(lutris), InFolder(bottles)));
    EXPECT_EQ(location.found[0].origin.launcher, "Lutris");
    EXPECT_EQ(location.found[1].origin.launcher, "Bottles");
    EXPECT_EQ(location.chosen.path, InFolder(bottlesNewer ? bottles : lutris));
    EXPECT_THAT(Paths(location.Others()), ElementsAre(InFolder(bottlesNewer ? lutris : bottles)));
    EXPECT_EQ(location.chosen.modified, Newer);
}

INSTANTIATE_TEST_SUITE_P(CreationOrders,
                         TwoCopiesTest,
                         testing::Combine(testing::Bool(), testing::Bool()));

// Heroic keeps a game's prefix wherever the player put it, in its per-game settings.
struct HeroicCase
{
    const char *name;
    const char *gamesConfig;    // under the home
    const char *prefixInFolder; // "" for the folder itself, "pfx" when Proton runs the game
};

void PrintTo(const HeroicCase &heroicCase, std::ostream *out)
{
    *out << heroicCase.name;
}

class HeroicSettingsTest : public WineClientFolderTest,
                           public testing::WithParamInterface<HeroicCase>
{};

TEST_P(HeroicSettingsTest, FindsTheGameInItsCustomPrefix)
{
    const auto folder = Elsewhere() / "my \"games\"/Duskmarch";
    const std::string pfx = GetParam().prefixInFolder;
    const auto prefix = MakeWinePrefix(pfx.empty() ? folder : folder / pfx);
    auto json = folder.string();
    for (std::size_t at = json.find('"'); at != std::string::npos; at = json.find('"', at + 2))
        json.insert(at, "\\");
    Write(Home() / GetParam().gamesConfig / "Duskmarch.json",
          "{\n  \"Duskmarch\": {\n    \"autoInstallDxvk\": true,\n    \"wineVersion\": {\"bin\": "
          "\"/usr/bin/wine\", \"type\": \"wine\"},\n    \"winePrefix\": \""
              + json + "\"\n  },\n  \"version\": \"v0\",\n  \"explicit\": true\n}\n");

    const auto expected = AddClientFile(prefix, DefaultFolderOnDriveC);
    const auto location = Location();
    EXPECT_EQ(location.chosen.path, InFolder(expected));
    EXPECT_EQ(location.chosen.origin,
              (ClientFileOrigin{FoundBy::DefaultFolder, "Heroic", prefix.string()}));
}

INSTANTIATE_TEST_SUITE_P(
    Installs,
    HeroicSettingsTest,
    testing::Values(
        HeroicCase{"Native", ".config/heroic/GamesConfig", ""},
        HeroicCase{"Flatpak", ".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig", ""},
        HeroicCase{"NativeProton", ".config/heroic/GamesConfig", "pfx"}),
    [](const auto &info) { return std::string(info.param.name); });

// Each launcher's layout, with the game's registry entry in its one prefix.
class LauncherLayoutTest : public WineClientFolderTest,
                           public testing::WithParamInterface<const char *>
{};

TEST_P(LauncherLayoutTest, ResolvesTheRegistryFolderInThePrefix)
{
    const auto prefix
        = MakeWinePrefix(Home() / GetParam(), AppPathRegistry("C:\\Games\\Duskmarch"));

    const auto expected = AddClientFile(prefix, "Games/Duskmarch");
    EXPECT_EQ(Locate(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Launchers,
    LauncherLayoutTest,
    testing::Values(".wine",
                    ".local/share/Steam/steamapps/compatdata/228980/pfx",
                    ".var/app/com.valvesoftware.Steam/data/Steam/steamapps/compatdata/1/pfx",
                    "snap/steam/common/.local/share/Steam/steamapps/compatdata/1/pfx",
                    "Games/duskmarch",
                    ".local/share/bottles/bottles/Duskmarch",
                    ".var/app/com.usebottles.bottles/data/bottles/bottles/Duskmarch",
                    "Games/Heroic/Prefixes/Duskmarch",
                    "Games/Heroic/Prefixes/default/Duskmarch"));

} // namespace
