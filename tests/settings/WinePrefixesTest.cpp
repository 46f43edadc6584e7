#include "locate/WinePrefixes.h"

#include "FakeWinePrefix.h"
#include "locate/HeroicGames.h"
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

struct HeroicCase
{
    const char *name;
    std::string json;
    std::optional<std::string> prefix;
};

void PrintTo(const HeroicCase &heroicCase, std::ostream *out)
{
    *out << heroicCase.name;
}

class HeroicGamePrefixTest : public testing::TestWithParam<HeroicCase>
{};

TEST_P(HeroicGamePrefixTest, ReadsTheGamesPrefixStrictly)
{
    EXPECT_EQ(HeroicGamePrefix(GetParam().json), GetParam().prefix);
}

// The settings as Heroic writes them, around the member under test.
std::string GameSettings(const std::string &members)
{
    return "{\n  \"Duskmarch\": {\n    \"autoInstallDxvk\": true,\n    \"maxSharpness\": 5,\n"
           "    \"targetExe\": \"\",\n    \"enviromentOptions\": [],\n    \"wineVersion\": "
           "{\"bin\": \"/usr/bin/wine\", \"name\": \"Wine Default\", \"type\": \"wine\"},\n"
           "    \"offlineMode\": false,\n    \"scale\": -1.5e+2,\n    \"nothing\": null"
           + members + "\n  },\n  \"version\": \"v0\",\n  \"explicit\": true\n}\n";
}

INSTANTIATE_TEST_SUITE_P(
    Settings,
    HeroicGamePrefixTest,
    testing::Values(
        HeroicCase{"Plain",
                   GameSettings(",\n    \"winePrefix\": \"/home/u/Games/Heroic/Prefixes/Dm\""),
                   "/home/u/Games/Heroic/Prefixes/Dm"},
        HeroicCase{"Escapes",
                   GameSettings(R"(, "winePrefix": "\/g\\x \"q\" \u00e9\ud83c\udfae\t")"),
                   "/g\\x \"q\" \xc3\xa9\xf0\x9f\x8e\xae\t"},
        HeroicCase{
            "FirstGameWins", R"({"a": {"winePrefix": "/a"}, "b": {"winePrefix": "/b"}})", "/a"},
        HeroicCase{"NoPrefix", GameSettings(""), std::nullopt},
        HeroicCase{"Empty", GameSettings(R"(, "winePrefix": "")"), std::nullopt},
        HeroicCase{"NotText", GameSettings(R"(, "winePrefix": ["/a"])"), std::nullopt},
        HeroicCase{"TopLevel", R"({"winePrefix": "/a"})", std::nullopt},
        HeroicCase{"NestedDeeper", R"({"g": {"wineVersion": {"winePrefix": "/a"}}})", std::nullopt},
        HeroicCase{"InAnArray", R"([{"winePrefix": "/a"}])", std::nullopt},
        HeroicCase{"NulInPath", R"({"g": {"winePrefix": "/a\u0000b"}})", std::nullopt},
        HeroicCase{"TrailingComma", R"({"g": {"winePrefix": "/a",}})", std::nullopt},
        HeroicCase{"Unclosed", R"({"g": {"winePrefix": "/a"})", std::nullopt},
        HeroicCase{"UnclosedText", R"({"g": {"winePrefix": "/a}})", std::nullopt},
        HeroicCase{"UnknownEscape", R"({"g": {"winePrefix": "/\a"}})", std::nullopt},
        HeroicCase{"LoneSurrogate", R"({"g": {"winePrefix": "/\ud83c"}})", std::nullopt},
        HeroicCase{"ControlCharacter", "{\"g\": {\"winePrefix\": \"/a\tb\"}}", std::nullopt},
        HeroicCase{"LeadingZero", R"({"g": {"n": 01, "winePrefix": "/a"}})", std::nullopt},
        HeroicCase{"BareWord", R"({"g": {"n": yes, "winePrefix": "/a"}})", std::nullopt},
        HeroicCase{"TrailingText", R"({"g": {"winePrefix": "/a"}} x)", std::nullopt},
        HeroicCase{"DeepNesting",
                   R"({"g": {"winePrefix": "/a", "n": )" + std::string(100000, '[')
                       + std::string(100000, ']') + "}}",
                   std::nullopt}),
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
    const auto heroicSettings = Home() / ".config/heroic/GamesConfig";
    Write(heroicSettings / "Dm.json",
          R"({"Dm": {"winePrefix": ")" + (Elsewhere() / "heroic").string() + R"("}})");
    Write(heroicSettings / "Old.json",
          R"({"Old": {"winePrefix": "~/Games/Heroic/Prefixes/Duskmarch"}})");
    Write(heroicSettings / "Dm.json.bak", R"({"Dm": {"winePrefix": "/ignored"}})");
    Prefix(Elsewhere() / "heroic");
    Write(Home() / ".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/P.json",
          R"({"P": {"winePrefix": "~/proton game"}})");
    Prefix(Home() / "proton game/pfx");
    Prefix(Home() / ".wine");
    Prefix(Elsewhere() / "custom");
    auto environment = Environment();
    environment.winePrefix = (Elsewhere() / "custom").string();

    std::vector<std::string> launchers;
    for (const auto &prefix : FindLauncherPrefixes(environment))
        launchers.push_back(prefix.launcher);
    EXPECT_THAT(launchers,
                ElementsAre("Wine",
                            "Wine",
                            "Steam",
                            "Steam",
                            "Lutris",
                            "Lutris",
                            "Bottles",
                            "Bottles",
                            "Heroic",
                            "Heroic",
                            "Heroic",
                            "Heroic",
                            "Heroic"));
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
                            Home() / "Games/Heroic/Prefixes/default/Proton Game/pfx",
                            Elsewhere() / "heroic",
                            Home() / "proton game/pfx"));
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
