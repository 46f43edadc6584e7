#include "locate/WineClientFolder.h"

#include "ClientFile.h"
#include "FakeWinePrefix.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr const char *ExecutableFolder = "/opt/vezaz/bin/";
constexpr const char *DefaultFolderOnDriveC = "Program Files/Duskmarch Online";

// The whole search over a made-up home, as the program runs it.
class WineClientFolderTest : public testing::Test
{
protected:
    fs::path Home() const { return m_temp.path() / "home"; }
    fs::path Elsewhere() const { return m_temp.path() / "elsewhere"; }

    std::string Locate() const
    {
        return LocateClientFolder(
            WinePlatformProbe(m_environment, [] { return std::string(ExecutableFolder); }));
    }

    TempFolder m_temp;
    PrefixSearchEnvironment m_environment{Home().string(), "", "", ""};
};

TEST_F(WineClientFolderTest, UsesTheExecutableFolderWithoutAnyPrefix)
{
    fs::create_directories(Home());

    EXPECT_EQ(Locate(), ExecutableFolder);
}

TEST_F(WineClientFolderTest, TakesTheRegistryFolderOfTheFirstPrefixThatHasIt)
{
    const auto first = MakeWinePrefix(Home() / ".wine");
    AddClientFile(first, DefaultFolderOnDriveC); // never tried: a later prefix has the key
    const auto second = MakeWinePrefix(Home() / ".local/share/bottles/bottles/Duskmarch",
                                       AppPathRegistry("C:\\Games\\Duskmarch"));
    const auto third = MakeWinePrefix(Home() / "Games/Heroic/Prefixes/Duskmarch",
                                      AppPathRegistry("C:\\Games\\Duskmarch"));
    AddClientFile(third, "Games/Duskmarch");

    const auto expected = AddClientFile(second, "Games/Duskmarch");
    EXPECT_EQ(Locate(), expected);
}

TEST_F(WineClientFolderTest, PutsWinePrefixFirst)
{
    AddClientFile(MakeWinePrefix(Home() / ".wine", AppPathRegistry("C:\\Games\\Duskmarch")),
                  "Games/Duskmarch");
    const auto chosen
        = MakeWinePrefix(Elsewhere() / "chosen", AppPathRegistry("C:\\Games\\Duskmarch"));
    m_environment.winePrefix = chosen.string();

    const auto expected = AddClientFile(chosen, "Games/Duskmarch");
    EXPECT_EQ(Locate(), expected);
}

// Once the registry named a folder the default folder is not tried, as on Windows.
TEST_F(WineClientFolderTest, UsesTheExecutableFolderWhenTheRegistryFolderHoldsNoFile)
{
    const auto prefix = MakeWinePrefix(Home() / ".wine", AppPathRegistry("C:\\Games\\Duskmarch"));
    fs::create_directories(prefix / "drive_c/Games/Duskmarch");
    AddClientFile(prefix, DefaultFolderOnDriveC);
    AddClientFile(MakeWinePrefix(Home() / "Games/other"), DefaultFolderOnDriveC);

    EXPECT_EQ(Locate(), ExecutableFolder);
}

TEST_F(WineClientFolderTest, FindsTheDefaultFolderInTheFirstPrefixThatHoldsTheFile)
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
