#include "../settings/FakeWinePrefix.h"
#include "MainWindowFixture.h"
#include "UserActions.h"
#include "locate/LocationReport.h"
#include "locate/WineClientFolder.h"
#include "widgets/SpinEdit.h"

#include <filesystem>
#include <string>

#include <QMenu>

namespace fs = std::filesystem;

namespace {

constexpr const char *DefaultFolderOnDriveC = "Program Files/Duskmarch Online";
constexpr std::int64_t Older = 1700000000;
constexpr std::int64_t Newer = Older + 3600;

QString Text(const std::string &text)
{
    return QString::fromLocal8Bit(text);
}

} // namespace

// A home with the game in two prefixes: an older copy in ~/.wine and a newer one in a bottle.
class FoundCopiesTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        const fs::path home = folder.path() / "home";
        wineFile
            = AddClientFile(MakeWinePrefix(home / ".wine"), DefaultFolderOnDriveC) + "dmclient.ini";
        bottleFile = AddClientFile(MakeWinePrefix(home / ".local/share/bottles/bottles/Game"),
                                   DefaultFolderOnDriveC)
                     + "dmclient.ini";
        WriteBytes(wineFile, "[BagPositions]\r\nBag_0_X=40\r\n");
        WriteBytes(bottleFile, "[BagPositions]\r\nBag_0_X=55\r\n");
        SetClientFileModified(fs::path(wineFile).parent_path().string() + '/', Older);
        SetClientFileModified(fs::path(bottleFile).parent_path().string() + '/', Newer);
        searchWinePrefixes = WinePlatformProbe({home.string(), "", "", ""}, [] {
                                 return std::string();
                             }).searchWinePrefixes;
    }

    QMenu *foundMenu()
    {
        auto *menu = find<QMenu>(QStringLiteral("Found1"));
        if (menu)
            emit menu->aboutToShow();
        return menu;
    }

    // The entries of File › Found, by their tooltips' first line (the full path).
    QStringList listedPaths()
    {
        QStringList paths;
        if (QMenu *menu = foundMenu())
            for (const QAction *action : menu->actions())
                paths << action->toolTip().section(QLatin1Char('\n'), 0, 0);
        return paths;
    }

    QString checkedPath()
    {
        QString checked;
        if (QMenu *menu = foundMenu())
            for (const QAction *action : menu->actions())
                if (action->isChecked())
                    checked += action->toolTip().section(QLatin1Char('\n'), 0, 0);
        return checked;
    }

    void chooseListed(const std::string &path)
    {
        QMenu *menu = foundMenu();
        ASSERT_NE(menu, nullptr);
        for (QAction *action : menu->actions())
            if (action->toolTip().startsWith(Text(path) + QLatin1Char('\n')))
                return action->trigger();
        ADD_FAILURE() << "File › Found does not list " << path;
    }

    std::string wineFile;
    std::string bottleFile;
};

TEST_F(FoundCopiesTest, StartUpEditsTheNewestCopyListsBothAndSaysOthersExist)
{
    StartWithoutFile();

    EXPECT_EQ(window().clientIniPath(), bottleFile);
    EXPECT_EQ(window().settings().BagPositions[0].x, 55);
    EXPECT_EQ(listedPaths(), QStringList({Text(wineFile), Text(bottleFile)}));
    EXPECT_EQ(checkedPath(), Text(bottleFile));
    EXPECT_EQ(statusText(1),
              QStringLiteral("Editing ") + Text(bottleFile)
                  + QStringLiteral(" (1 other copy found: File › Found)"));
    QMenu *menu = foundMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().at(0)->statusTip(),
              QStringLiteral("default folder, Wine prefix ")
                  + Text((folder.path() / "home" / ".wine").string())
                  + QStringLiteral(", modified ") + Text(ModifiedText(Older)));
}

TEST_F(FoundCopiesTest, ChoosingAnotherCopyOpensItAskingFirstAboutUnsavedEdits)
{
    StartWithoutFile();
    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "7");
    ASSERT_TRUE(window().isWindowModified());

    unsavedAnswers = {UnsavedAnswer::Cancel};
    chooseListed(wineFile);
    ASSERT_EQ(questions.size(), 1U);
    EXPECT_EQ(questions[0],
              QStringLiteral("Save changes to dmclient.ini before opening dmclient.ini?"));
    EXPECT_EQ(window().clientIniPath(), bottleFile);
    EXPECT_EQ(window().settings().BagPositions[0].x, 7);
    EXPECT_EQ(checkedPath(), Text(bottleFile));

    unsavedAnswers = {UnsavedAnswer::Discard};
    chooseListed(wineFile);
    EXPECT_EQ(questions.size(), 2U);
    EXPECT_EQ(window().clientIniPath(), wineFile);
    EXPECT_EQ(window().settings().BagPositions[0].x, 40);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(checkedPath(), Text(wineFile));

    // The file being edited is no switch at all: nothing is asked or reloaded.
    chooseListed(wineFile);
    EXPECT_EQ(questions.size(), 2U);
}

TEST_F(FoundCopiesTest, AFileNamedOnTheCommandLineIsCheckedAmongTheCopiesFound)
{
    clientFileArgument = wineFile;
    StartWithoutFile();

    EXPECT_EQ(window().clientIniPath(), wineFile);
    EXPECT_EQ(listedPaths(), QStringList({Text(wineFile), Text(bottleFile)}));
    EXPECT_EQ(checkedPath(), Text(wineFile));
    EXPECT_TRUE(statusText(1).endsWith(QStringLiteral("(1 other copy found: File › Found)")));
}
