#include "locate/WinePath.h"

#include "FakeWinePrefix.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class WinePathTest : public testing::Test
{
protected:
    WinePathTest()
        : m_prefix(MakeWinePrefix(m_temp.path() / "prefix"))
    {}

    const fs::path &Prefix() const { return m_prefix; }
    fs::path DriveC() const { return m_prefix / "drive_c"; }

    fs::path Folder(const std::string &onDriveC) const
    {
        fs::create_directories(DriveC() / onDriveC);
        return DriveC() / onDriveC;
    }

    std::optional<fs::path> FindExisting(std::string_view windowsFolder) const
    {
        return FindWindowsFolder(m_prefix, windowsFolder, [](const fs::path &) { return true; });
    }

private:
    TempFolder m_temp;
    fs::path m_prefix;
};

TEST_F(WinePathTest, MapsDrivesThroughTheirLinks)
{
    EXPECT_EQ(MapWindowsPath(Prefix(), "C:\\Games\\Duskmarch"), DriveC() / "Games/Duskmarch");
    EXPECT_EQ(MapWindowsPath(Prefix(), "c:/Games/./x/../Duskmarch\\"),
              DriveC() / "Games/Duskmarch");
    EXPECT_EQ(MapWindowsPath(Prefix(), "C:"), DriveC());
    EXPECT_EQ(MapWindowsPath(Prefix(), "Z:\\usr\\share"), fs::path("/usr/share"));
}

TEST_F(WinePathTest, MapsNothingWithoutADriveOfThePrefix)
{
    for (const char *path : {"D:\\Games",
                             "Games\\Duskmarch",
                             "\\Games",
                             "\\\\server\\share",
                             "C:Games",
                             "1:\\Games",
                             ""})
        EXPECT_EQ(MapWindowsPath(Prefix(), path), std::nullopt) << path;
}

struct FolderCase
{
    const char *windowsFolder;
    const char *found; // on drive C:; null when nothing matches
};

class FindWindowsFolderTest : public WinePathTest, public testing::WithParamInterface<FolderCase>
{};

TEST_P(FindWindowsFolderTest, MatchesExactlyThenIgnoringCaseThenAsShortName)
{
    Folder("Program Files/Duskmarch Online");
    Folder("Program Files (x86)/Other");
    Folder("ProgramData");
    Folder("Games/DuskMarch");
    Folder("Games/Duskmarch Beta");
    Folder("Games/Long folder.backup");
    WriteBytes(DriveC() / "Games/Duskmarch.txt", ""); // a file takes a short name as well

    const auto found = FindExisting(GetParam().windowsFolder);

    if (GetParam().found == nullptr)
        EXPECT_EQ(found, std::nullopt);
    else
        EXPECT_EQ(found, DriveC() / GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Folders,
    FindWindowsFolderTest,
    testing::Values(
        FolderCase{"C:\\Program Files\\Duskmarch Online", "Program Files/Duskmarch Online"},
        FolderCase{"c:\\PROGRAM FILES\\duskmarch online\\", "Program Files/Duskmarch Online"},
        FolderCase{"C:\\PROGRA~1\\DUSKMA~1\\", "Program Files/Duskmarch Online"},
        FolderCase{"C:\\progra~2\\other", "Program Files (x86)/Other"},
        FolderCase{"C:\\PROGRA~3", "ProgramData"},
        FolderCase{"C:\\PROGRA~4", nullptr},
        FolderCase{"C:\\GAMES\\DUSKMA~1", "Games/DuskMarch"},
        FolderCase{"C:\\GAMES\\DUSKMA~2", "Games/Duskmarch Beta"},
        FolderCase{"C:\\GAMES\\DUSKMA~3", nullptr}, // the file
        FolderCase{"C:\\GAMES\\LONGFO~1.BAC", "Games/Long folder.backup"},
        FolderCase{"C:\\GAMES\\LONGFO~1.TXT", nullptr},
        FolderCase{"C:\\PROG~FBU\\DUSKMA~1", nullptr}, // Wine's own hashed short name
        FolderCase{"C:\\PROGRA~0", nullptr},
        FolderCase{"C:\\Games\\Missing", nullptr}));

// A component matching several folders takes the one under which the rest of the path leads to
// an accepted folder, whatever its rank.
TEST_F(WinePathTest, PrefersTheCandidateUnderWhichTheRestIsAccepted)
{
    Folder("PROGRA~1"); // a folder that really has that name, but not the game under it
    Folder("Program Files/Duskmarch");
    Folder("Duskmarch");
    const auto held = Folder("duskmarch");
    WriteBytes(held / "dmclient.ini", "");
    const auto holdsFile
        = [](const fs::path &folder) { return fs::exists(folder / "dmclient.ini"); };

    EXPECT_EQ(FindExisting("C:\\PROGRA~1\\Duskmarch"), DriveC() / "Program Files/Duskmarch");
    EXPECT_EQ(FindExisting("C:\\Duskmarch"), DriveC() / "Duskmarch");
    EXPECT_EQ(FindWindowsFolder(Prefix(), "C:\\Duskmarch", holdsFile), held);
}

} // namespace
