#include "locate/WinePrefixes.h"

#include "FakeWinePrefix.h"
#include "locate/LutrisGames.h"
#include "locate/SteamLibraries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Written as Steam writes it, with the entries a parser that takes every text for a library, or
// every entry for a block, trips over.
constexpr const char *LibraryFoldersVdf = R"("libraryfolders"
{
	"contentstatsid"		"-4135542467349428521"
	"0"
	{
		"path"		"/home/u/.local/share/Steam"
		"label"		""
		"apps"
		{
			"228980"		"382308592"
		}
	}
	// a library on another disk
	"1"
	{
		"path"		"/mnt/games/Steam \"Library\" \\ 2"
		"apps"		{ }
	}
}
)";

TEST(ParseLibraryFolders, TakesThePathOfEachLibrary)
{
    EXPECT_THAT(ParseLibraryFolders(LibraryFoldersVdf),
                ElementsAre("/home/u/.local/share/Steam", "/mnt/games/Steam \"Library\" \\ 2"));
}

TEST(ParseLibraryFolders, TakesTheNumberedTextsOfTheOlderFormat)
{
    EXPECT_THAT(ParseLibraryFolders(R"("LibraryFolders" { "TimeNextStatsReport" "1634563400"
                                       "ContentStatsID" "-12" "1" "/mnt/old" })"),
                ElementsAre("/mnt/old"));
}

TEST(ParseLibraryFolders, GivesNothingForMalformedText)
{
    for (const char *text : {R"("libraryfolders" { "0" { "path" "/a" })",
                             R"("libraryfolders" { "0" { "path" "/a } })",
                             R"("libraryfolders" { "0" { path "/a" } })",
                             R"("libraryfolders" { "0" { "path" "/a" } } })",
                             R"("libraryfolders")",
                             R"("other" { "0" { "path" "/a" } })"})
        EXPECT_THAT(ParseLibraryFolders(text), IsEmpty()) << text;
}

struct LutrisCase
{
    const char *name;
    const char *yaml;
    std::optional<std::string> prefix;
};

void PrintTo(const LutrisCase &lutrisCase, std::ostream *out)
{
    *out << lutrisCase.name;
}

class LutrisGamePrefixTest : public testing::TestWithParam<LutrisCase>
{};

TEST_P(LutrisGamePrefixTest, FindsThePrefixOfTheGameSection)
{
    EXPECT_EQ(LutrisGamePrefix(GetParam().yaml), GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Configurations,
    LutrisGamePrefixTest,
    testing::Values(
        LutrisCase{
            "Plain",
            "game:\n  exe: /g/drive_c/Duskmarch.exe\n  prefix: /g # the bottle\nsystem: {}\n",
            "/g"},
        LutrisCase{"SingleQuoted", "game:\n    prefix: '/g/it''s'\n", "/g/it's"},
        LutrisCase{"DoubleQuoted", "game:\r\n  prefix: \"/g \\\"x\\\"\"\r\n", "/g \"x\""},
        LutrisCase{"UnderAnotherSection", "system:\n  prefix: /s\ngame:\n  exe: x\n", std::nullopt},
        LutrisCase{"NestedDeeper", "game:\n  exe: x\n  args:\n    prefix: /n\n", std::nullopt},
        LutrisCase{"Empty", "game:\n  prefix: ''\n", std::nullopt},
        LutrisCase{"Unclosed", "game:\n  prefix: '/g\n", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

class FindWinePrefixesTest : public testing::Test
{
protected:
    fs::path Home() const { return m_temp.path() / "home"; }
    fs::path Elsewhere() const { return m_temp.path() / "elsewhere"; }
    PrefixSearchEnvironment Environment() const { return {Home().string(), "", "", ""}; }

    fs::path Prefix(const fs::path &folder) { return MakeWinePrefix(folder); }
    static void Write(const fs::path &file, const std::string &text)
    {
        fs::create_directories(file.parent_path());
        WriteBytes(file, text);
    }

private:
    TempFolder m_temp;
};

TEST_F(FindWinePrefixesTest, FindsEveryLayoutInSearchOrderEachOnce)
{
    const auto steam = Home() / ".local/share/Steam";
    const auto library = Elsewhere() / "SteamLibrary";
    fs::create_directories(Home() / ".steam");
    fs::create_directory_symlink(steam, Home() / ".steam/steam");
    Write(steam / "steamapps/libraryfolders.vdf",
          R"("libraryfolders" { "contentstatsid" "-1" "0" { "path" ")" + steam.string()
              + R"(" } "1" { "path" ")" + library.string() + R"(" } })");
    Prefix(steam / "steamapps/compatdata/228980/pfx");
    Prefix(library / "steamapps/compatdata/100/pfx");
    fs::create_directories(library / "steamapps/compatdata/101/pfx"); // not a prefix yet
    Prefix(Home() / "Games/duskmarch");
    fs::create_directories(Home() / "Games/not-a-prefix");
    Write(Home() / ".config/lutris/games/a.yml",
          "game:\n  prefix: " + (Home() / "Games/duskmarch").string() + "\n");
    Write(Home() / ".config/lutris/games/b.yml",
          "game:\n  prefix: " + (Elsewhere() / "lutris").string() + "\n");
    Prefix(Elsewhere() / "lutris");
    Prefix(Home() / ".local/share/bottles/bottles/Duskmarch");
    Prefix(Home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Games");
    Prefix(Home() / "Games/Heroic/Prefixes/Duskmarch");
    Prefix(Home() / "Games/Heroic/Prefixes/default/Duskmarch Online");
    Prefix(Home() / "Games/Heroic/Prefixes/default/Proton Game/pfx");
    Prefix(Home() / ".wine");
    Prefix(Elsewhere() / "custom");
    auto environment = Environment();
    environment.winePrefix = (Elsewhere() / "custom").string();

    EXPECT_THAT(FindWinePrefixes(environment),
                ElementsAre(Elsewhere() / "custom",
                            Home() / ".wine",
                            Home() / ".steam/steam/steamapps/compatdata/228980/pfx",
                            library / "steamapps/compatdata/100/pfx",
                            Home() / "Games/duskmarch",
                            Elsewhere() / "lutris",
                            Home() / ".local/share/bottles/bottles/Duskmarch",
                            Home() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Games",
                            Home() / "Games/Heroic/Prefixes/Duskmarch",
                            Home() / "Games/Heroic/Prefixes/default/Duskmarch Online",
                            Home() / "Games/Heroic/Prefixes/default/Proton Game/pfx"));
}

TEST_F(FindWinePrefixesTest, FollowsTheDataAndConfigurationHomes)
{
    const auto data = Elsewhere() / "data";
    const auto config = Elsewhere() / "config";
    Prefix(Home() / ".local/share/bottles/bottles/ignored");
    Prefix(data / "bottles/bottles/Duskmarch");
    Prefix(data / "Steam/steamapps/compatdata/1/pfx");
    Prefix(Elsewhere() / "lutris");
    Write(config / "lutris/games/x.yml",
          "game:\n  prefix: " + (Elsewhere() / "lutris").string() + "\n");
    auto environment = Environment();
    environment.xdgDataHome = data.string();
    environment.xdgConfigHome = config.string();

    EXPECT_THAT(FindWinePrefixes(environment),
                ElementsAre(data / "Steam/steamapps/compatdata/1/pfx",
                            Elsewhere() / "lutris",
                            data / "bottles/bottles/Duskmarch"));
}

// A missing or relative home must not turn the current folder into one.
TEST_F(FindWinePrefixesTest, FindsNothingWithoutAnAbsoluteHome)
{
    Prefix(Home() / ".wine");
    const auto current = fs::current_path();
    fs::current_path(Home());

    const auto found = FindWinePrefixes({"", ".wine", "", ""});
    const auto foundRelative = FindWinePrefixes({".", "", "", ""});

    fs::current_path(current);
    EXPECT_THAT(found, IsEmpty());
    EXPECT_THAT(foundRelative, IsEmpty());
}

} // namespace
