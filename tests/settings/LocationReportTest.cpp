#include "locate/LocationReport.h"

#include "LocationPrinters.h"
#include "locate/ClientFileLocation.h"

#include <cstdlib>
#include <ctime>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

constexpr std::int64_t Older = 1700000000;
constexpr std::int64_t Newer = Older + 60;

ClientFileCandidate InPrefix(const std::string &prefix,
                             FoundBy foundBy,
                             std::optional<std::int64_t> modified,
                             const std::string &launcher = "Wine")
{
    const auto folder = prefix + "/drive_c/Duskmarch/";
    return {folder, folder + "dmclient.ini", {foundBy, launcher, prefix}, modified};
}

struct BestCase
{
    const char *name;
    std::vector<ClientFileCandidate> candidates;
    std::size_t best;
};

void PrintTo(const BestCase &bestCase, std::ostream *out)
{
    *out << bestCase.name;
}

class BestCandidateTest : public testing::TestWithParam<BestCase>
{};

TEST_P(BestCandidateTest, PrefersRegisteredThenNewestThenFirst)
{
    EXPECT_EQ(BestCandidate(GetParam().candidates), GetParam().best);
}

INSTANTIATE_TEST_SUITE_P(
    Choices,
    BestCandidateTest,
    testing::Values(BestCase{"RegisteredOverNewer",
                             {InPrefix("/a", FoundBy::DefaultFolder, Newer),
                              InPrefix("/b", FoundBy::Registry, Older)},
                             1},
                    BestCase{"NewestAmongRegistered",
                             {InPrefix("/a", FoundBy::Registry, Older),
                              InPrefix("/b", FoundBy::DefaultFolder, Newer + 60),
                              InPrefix("/c", FoundBy::Registry, Newer)},
                             2},
                    BestCase{"UnknownTimeCountsAsOldest",
                             {InPrefix("/a", FoundBy::DefaultFolder, std::nullopt),
                              InPrefix("/b", FoundBy::DefaultFolder, 0)},
                             1},
                    BestCase{"FirstAmongEquals",
                             {InPrefix("/a", FoundBy::DefaultFolder, Older),
                              InPrefix("/b", FoundBy::DefaultFolder, Older),
                              InPrefix("/c", FoundBy::DefaultFolder, Older)},
                             0}),
    [](const auto &info) { return std::string(info.param.name); });

// A probe whose Wine search gives the staged result; files exist only where listed.
PlatformProbe WineProbe(PrefixSearch search, std::set<std::string> files = {})
{
    PlatformProbe probe;
    probe.readAppPathValue = [] { return std::optional<std::string>("/never/asked"); };
    probe.isRegularFile = [files](const std::string &path) { return files.contains(path); };
    probe.executableFolder = [] { return std::string("/opt/vezaz/"); };
    probe.searchWinePrefixes = [search] { return search; };
    return probe;
}

TEST(LocateClientFile, ChoosesAmongThePrefixesFilesAndKeepsTheirOrder)
{
    const auto wine = InPrefix("/h/.wine", FoundBy::DefaultFolder, Newer);
    const auto bottle = InPrefix("/h/bottle", FoundBy::Registry, Older, "Bottles");
    const LookedPlace looked{wine.origin, wine.folder, "C:\\PROGRA~1\\DUSKMA~1\\", true};

    const auto location = LocateClientFile(WineProbe({{wine, bottle}, {looked}}));

    EXPECT_TRUE(location.exists);
    EXPECT_EQ(location.chosen, bottle);
    EXPECT_EQ(location.found, (std::vector{wine, bottle}));
    EXPECT_EQ(location.Others(), std::vector{wine});
    EXPECT_THAT(location.looked, ElementsAre(looked));
}

TEST(LocateClientFile, FallsBackToTheProgramFolderWhenNoPrefixHoldsTheFile)
{
    for (const bool programFolderHoldsFile : {false, true}) {
        const LookedPlace wineLooked{{FoundBy::Registry, "Wine", "/h/.wine"}, "", "", false};
        std::set<std::string> files;
        if (programFolderHoldsFile)
            files.insert("/opt/vezaz/dmclient.ini");

        const auto location = LocateClientFile(WineProbe({{}, {wineLooked}}, files));

        EXPECT_EQ(location.exists, programFolderHoldsFile);
        EXPECT_EQ(location.chosen.path, "/opt/vezaz/dmclient.ini");
        EXPECT_EQ(location.chosen.origin.foundBy, FoundBy::ProgramFolder);
        EXPECT_EQ(location.found.size(), programFolderHoldsFile ? 1u : 0u);
        EXPECT_THAT(location.looked,
                    ElementsAre(wineLooked,
                                LookedPlace{{FoundBy::ProgramFolder, "", ""},
                                            "/opt/vezaz/",
                                            "",
                                            programFolderHoldsFile}));
    }
}

TEST(LocationReport, NamesTheFileHowItWasFoundAndTheOtherCopies)
{
    const auto wine = InPrefix("/h/.wine", FoundBy::DefaultFolder, std::nullopt);
    const auto bottle = InPrefix("/h/bottle", FoundBy::Registry, Newer, "Bottles");
    const auto lutris = InPrefix("/h/Games/dm", FoundBy::Registry, Older, "Lutris");

    const auto lines
        = LocationReportLines(LocateClientFile(WineProbe({{wine, bottle, lutris}, {}})));

    EXPECT_THAT(
        lines,
        ElementsAre("/h/bottle/drive_c/Duskmarch/dmclient.ini",
                    "  registry entry, Bottles prefix /h/bottle, modified " + ModifiedText(Newer),
                    "Also found:",
                    "  /h/.wine/drive_c/Duskmarch/dmclient.ini",
                    "    default folder, Wine prefix /h/.wine",
                    "  /h/Games/dm/drive_c/Duskmarch/dmclient.ini",
                    "    registry entry, Lutris prefix /h/Games/dm, modified "
                        + ModifiedText(Older)));
}

TEST(LocationReport, SaysWhereItLookedWhenThereIsNoFile)
{
    const ClientFileOrigin registry{FoundBy::Registry, "Wine", "/h/.wine"};
    const ClientFileOrigin defaultFolder{FoundBy::DefaultFolder, "Wine", "/h/.wine"};
    const ClientFileOrigin steam{FoundBy::Registry, "Steam", "/h/pfx"};
    const PrefixSearch search{{},
                              {{registry, "/h/.wine/drive_c/Dm/", "C:\\Dm", false},
                               {defaultFolder, "", "C:\\PROGRA~1\\DUSKMA~1\\", false},
                               {steam, "", "", false}}};

    EXPECT_THAT(LocationReportLines(LocateClientFile(WineProbe(search))),
                ElementsAre("/opt/vezaz/dmclient.ini",
                            "  no dmclient.ini found; this is the program's own folder",
                            "Looked in:",
                            "  registry entry, Wine prefix /h/.wine: C:\\Dm = "
                            "/h/.wine/drive_c/Dm/ (no dmclient.ini)",
                            "  default folder, Wine prefix /h/.wine: C:\\PROGRA~1\\DUSKMA~1\\ "
                            "(names no folder here)",
                            "  registry entry, Steam prefix /h/pfx: no entry for the game",
                            "  program's own folder: /opt/vezaz/ (no dmclient.ini)"));
}

// Where the system has its own registry: without an entry, the default folder, then the
// program's folder.
TEST(LocationReport, TellsTheRegistrysPartOnWindows)
{
    PlatformProbe probe;
    probe.readAppPathValue = [] { return std::optional<std::string>(); };
    probe.isRegularFile = [](const std::string &) { return false; };
    probe.executableFolder = [] { return std::string("E:\\VEzaz\\"); };

    EXPECT_THAT(LocationReportLines(LocateClientFile(probe)),
                ElementsAre("E:\\VEzaz\\dmclient.ini",
                            "  no dmclient.ini found; this is the program's own folder",
                            "Looked in:",
                            "  registry entry: no entry for the game",
                            "  default folder: C:\\PROGRA~1\\DUSKMA~1\\ (no dmclient.ini)",
                            "  program's own folder: E:\\VEzaz\\ (no dmclient.ini)"));
}

// A file the player names wins over the search, which stays listed.
TEST(LocateClientFile, PutsTheNamedFileFirst)
{
    const auto wine = InPrefix("/h/.wine", FoundBy::DefaultFolder, Older);
    const auto bottle = InPrefix("/h/bottle", FoundBy::Registry, Newer, "Bottles");
    const auto probe = WineProbe({{wine, bottle}, {}}, {"/x/dmclient.ini", wine.path});
    const auto located = LocateClientFile(probe);

    const auto known = WithNamedFile(located, wine.path, probe);
    EXPECT_EQ(known.chosen, wine);
    EXPECT_EQ(known.found, located.found);

    const auto named = WithNamedFile(located, "/x/dmclient.ini", probe);
    EXPECT_TRUE(named.exists);
    EXPECT_EQ(named.chosen.folder, "/x/");
    EXPECT_EQ(named.chosen.origin.foundBy, FoundBy::Named);
    EXPECT_EQ(named.found, (std::vector{named.chosen, wine, bottle}));

    EXPECT_THAT(
        LocationReportLines(WithNamedFile(located, "/new/dmclient.ini", probe)),
        ElementsAre("/new/dmclient.ini",
                    "  named by you; it does not exist yet",
                    "Also found:",
                    "  /h/.wine/drive_c/Duskmarch/dmclient.ini",
                    "    default folder, Wine prefix /h/.wine, modified " + ModifiedText(Older),
                    "  /h/bottle/drive_c/Duskmarch/dmclient.ini",
                    "    registry entry, Bottles prefix /h/bottle, modified "
                        + ModifiedText(Newer)));
}

#ifndef _WIN32
TEST(LocationReport, WritesTimesInTheLocalZone)
{
    const char *zone = std::getenv("TZ");
    const std::string saved = zone != nullptr ? zone : "";
    setenv("TZ", "UTC-2", 1);
    tzset();
    const auto text = ModifiedText(1700000000);
    zone != nullptr ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();

    EXPECT_EQ(text, "2023-11-15 00:13");
}
#endif

} // namespace
