#include "MainWindowFixture.h"
#include "TextColorsPage.h"
#include "WindowPage.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

namespace {

const std::string ClientFile = "; kept by hand\r\n"
                               "[Defaults]\r\n"
                               "VideoMode=2\r\n"
                               "ChatFontSize=4\r\n"
                               "LockWindows=TRUE\r\n"
                               "\r\n"
                               "[TextColors]\r\n"
                               "User_1_Red=10\r\n"
                               "User_1_Green=20\r\n"
                               "User_1_Blue=30\r\n"
                               "User_7_Red=200\r\n"
                               "\r\n"
                               "[BagPositions]\r\n"
                               "Bag_3_X=120\r\n"
                               "Bag_3_Y=44\r\n"
                               "\r\n"
                               "[Windows800]\r\n"
                               "ChatWinX=15\r\n"
                               "\r\n"
                               "[Unknown]\r\n"
                               "Kept=yes\r\n";

ClientSettings ReadFile(const std::string &path)
{
    ClientSettings settings;
    LoadAllSections(path, settings);
    return settings;
}

// Unsaved edits in every kind of record.
void EditEveryRecord(ClientSettings &settings)
{
    settings.Defaults.ChatFontSize = 9;
    settings.Defaults.Flag(DefaultsFlag::LockWindows) = false;
    settings.UserColors[1] = RgbColor{1, 2, 3};
    settings.BagPositions[3].x = 7;
    settings.WindowLayouts[2][6].x = 300;
    settings.WindowColors[6].trans = 3;
    settings.KeyMaps[0] = "Ctrl+Q";
}

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

class MainWindowTest : public MainWindowFixture
{};

TEST_F(MainWindowTest, StartUpReadsTheFileBesideTheProgramAndSelectsTextColorOne)
{
    StartWithFile(ClientFile);

    EXPECT_EQ(window().clientIniPath(), iniPath());
    EXPECT_EQ(window().settings(), ReadFile(iniPath()));
    EXPECT_EQ(window().settings().UserColors[1], (RgbColor{10, 20, 30}));
    EXPECT_EQ(find<QTabWidget>("PageControl1")->currentWidget()->objectName(), "TextTabSheet");
    EXPECT_EQ(statusText(0), "Editing User_1");
    EXPECT_EQ(statusText(1), "Editing " + Text(iniPath()));
    EXPECT_EQ(window().windowFilePath(), Text(iniPath()));
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(find<TextColorsPage>("TextTabSheet")->SelectedUserColor, 1);
    auto *windowPage = find<WindowPage>("WindowTabSheet");
    EXPECT_EQ(windowPage->CurrentResolution, 3); // VideoMode 2 is the third resolution
    EXPECT_EQ(windowPage->SelectedGameWindow, 1);
}

TEST_F(MainWindowTest, StartUpWithoutAFileUsesTheDefaultsAndCreatesNothing)
{
    StartWithoutFile();

    EXPECT_EQ(window().clientIniPath(), iniPath());
    EXPECT_EQ(window().settings(), ReadFile(iniPath()));
    EXPECT_EQ(statusText(0), "Editing User_1");
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
}

TEST_F(MainWindowTest, StartUpSurvivesTheLargestVideoMode)
{
    // VideoMode + 1 would overflow; the page then shows no resolution instead.
    StartWithFile("[Defaults]\nVideoMode=2147483647\n");

    const int resolution = find<WindowPage>("WindowTabSheet")->CurrentResolution;
    EXPECT_TRUE(resolution < 1 || resolution > 5) << resolution;
    EXPECT_EQ(window().settings().Defaults.VideoMode, 2147483647);
}

TEST_F(MainWindowTest, ReloadFromToolbarOrMenuDropsEditsAndRereadsTheFile)
{
    const std::vector<std::pair<const char *, std::function<void()>>> routes = {
        {"toolbar", [this] { clickToolButton("ToolButton1"); }},
        {"menu", [this] { triggerAction("ReloadIni1"); }},
    };
    for (const auto &[route, reload] : routes) {
        SCOPED_TRACE(route);
        StartWithFile(ClientFile);
        EditEveryRecord(window().settings());
        find<TextColorsPage>("TextTabSheet")->User_Click(7);
        // The reload reads the file as it is now, not as it was at start-up.
        const std::string changed
            = "[Defaults]\r\nVideoMode=2\r\nChatFontSize=6\r\n[TextColors]\r\nUser_1_Red=99\r\n";
        WriteBytes(iniPath(), changed);

        reload();

        EXPECT_EQ(fileBytes(), changed);
        EXPECT_EQ(window().settings(), ReadFile(iniPath()));
        EXPECT_EQ(window().settings().Defaults.ChatFontSize, 6);
        EXPECT_EQ(window().settings().UserColors[1], (RgbColor{99, 0, 0}));
        EXPECT_EQ(statusText(0), "Editing User_1");
        EXPECT_EQ(statusText(1), "Reloading " + Text(iniPath()));
        EXPECT_EQ(find<TextColorsPage>("TextTabSheet")->SelectedUserColor, 1);
    }
}

TEST_F(MainWindowTest, ReloadKeepsTheWindowPageResolution)
{
    StartWithFile(ClientFile);
    WriteBytes(iniPath(), "[Defaults]\r\nVideoMode=4\r\n");

    clickToolButton("ToolButton1");

    EXPECT_EQ(find<WindowPage>("WindowTabSheet")->CurrentResolution, 3);
}

TEST_F(MainWindowTest, SaveWritesEveryRecordAndKeepsUnknownSections)
{
    StartWithFile(ClientFile);
    EditEveryRecord(window().settings());

    clickToolButton("ToolButton2");

    EXPECT_EQ(statusText(1), "Saving changes to " + Text(iniPath()));
    EXPECT_EQ(ReadFile(iniPath()), window().settings());
    EXPECT_EQ(ReadFile(iniPath()).KeyMaps[0], "Ctrl+Q");
    EXPECT_NE(fileBytes().find("[Unknown]\r\nKept=yes\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, RefusedSaveIsReportedInsteadOfTheSavingMessage)
{
    StartWithFile(ClientFile);
    // A folder where the file should be refuses every write, even for root.
    std::filesystem::remove(iniPath());
    std::filesystem::create_directory(iniPath());
    changedFileAnswers = {ChangedFileAnswer::SaveAnyway};

    clickToolButton("ToolButton2");

    EXPECT_EQ(statusText(1), "Unable to write to " + Text(iniPath()));
    EXPECT_TRUE(std::filesystem::is_directory(iniPath()));
}

TEST_F(MainWindowTest, ExitClosesAtOnceWithoutSavingFromEveryRoute)
{
    const std::vector<std::pair<const char *, std::function<void()>>> routes = {
        {"toolbar", [this] { clickToolButton("ToolButton8"); }},
        {"menu", [this] { triggerAction("Exit1"); }},
        {"close box", [this] { window().windowHandle()->close(); }},
    };
    for (const auto &[route, exit] : routes) {
        SCOPED_TRACE(route);
        StartWithFile(ClientFile);
        EditEveryRecord(window().settings());
        // Only a loop that fails to end, or a question waiting for an answer, meets this timer;
        // it turns a hang into a failure.
        QTimer stuck;
        stuck.setSingleShot(true);
        QObject::connect(&stuck, &QTimer::timeout, [] { QApplication::exit(1); });
        stuck.start(30000);
        QTimer::singleShot(0, qApp, exit);

        EXPECT_EQ(QApplication::exec(), 0); // the program's event loop ended by itself

        EXPECT_FALSE(window().isVisible());
        EXPECT_EQ(fileBytes(), ClientFile);
    }
}

TEST_F(MainWindowTest, WindowHasAFixedClientAreaOf612By434BelowTheMenu)
{
    StartWithFile(ClientFile);
    const int menuHeight = find<QMenuBar>("MainMenu1")->height();

    EXPECT_EQ(window().width(), 612);
    EXPECT_EQ(window().height() - menuHeight, 434);
    EXPECT_EQ(window().minimumSize(), window().maximumSize());
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    const QRect toolBar = find<QToolBar>("ToolBar1")->geometry();
    const QRect pages = find<QTabWidget>("PageControl1")->geometry();
    const QRect statusBar = find<QStatusBar>("StatusBar1")->geometry();
    EXPECT_EQ(toolBar, QRect(0, menuHeight, 612, 28));
    EXPECT_EQ(pages, QRect(0, menuHeight + 28, 612, 387));
    EXPECT_EQ(statusBar, QRect(0, menuHeight + 28 + 387, 612, 19));

    // Panel 0 at the left, 90 wide; panel 1 takes the rest of the bar, up to the counts panel
    // at the right end while that has something to say.
    auto *bar = find<QStatusBar>("StatusBar1");
    auto *panel0 = find<QLabel>("StatusPanel0");
    auto *panel1 = find<QLabel>("StatusPanel1");
    const QRect area0(panel0->mapTo(bar, QPoint()), panel0->size());
    const QRect area1(panel1->mapTo(bar, QPoint()), panel1->size());
    EXPECT_EQ(area0.width(), 90);
    EXPECT_LE(area0.left(), 4);
    EXPECT_GT(area1.left(), area0.right());
    EXPECT_LE(area1.left(), area0.right() + 4);
    auto *counts = find<QLabel>("CountsPanel");
    ASSERT_NE(counts, nullptr);
    const QRect countsArea(counts->mapTo(bar, QPoint()), counts->size());
    const int restEnd = counts->isVisible() ? countsArea.left() - 1 : 611;
    EXPECT_GE(area1.right(), restEnd - 8);
    EXPECT_LE(area1.right(), restEnd);
    if (counts->isVisible()) {
        EXPECT_GE(countsArea.right(), 612 - 4);
        EXPECT_LE(countsArea.right(), 611);
    }

    EXPECT_EQ(window().frameGeometry().center(), window().screen()->availableGeometry().center());
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndHints)
{
    StartWithFile(ClientFile);

    EXPECT_EQ(window().objectName(), "VEzaz1");
    EXPECT_EQ(window().windowFilePath(), Text(iniPath()));
    EXPECT_NE(find<QMenuBar>("MainMenu1"), nullptr);
    EXPECT_NE(find<QStatusBar>("StatusBar1"), nullptr);

    const std::vector<std::pair<QString, QString>> buttons = {
        {"ToolButton1", "Load Duskmarch's Ini File"},
        {"ToolButton2", "Save Changes to Duskmarch's Ini File"},
        {"ToolButton8", "Exit Program (Doesn't save changes)"},
    };
    auto *toolBar = find<QToolBar>("ToolBar1");
    for (const auto &[name, hint] : buttons) {
        auto *button = find<QToolButton>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->parent(), toolBar);
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_EQ(button->iconSize(), QSize(16, 16));
        EXPECT_FALSE(button->icon().pixmap(16, 16).isNull()) << name.toStdString();
    }

    const std::vector<std::pair<QString, QString>> pages = {
        {"TextTabSheet", "Text Colors"},
        {"WindowTabSheet", "Window Colors/Positions"},
        {"ModelTabSheet", "Textures/Models"},
        {"DisplayTabSheet", "Display"},
        {"KeysTabSheet", "Keymaps"},
        {"MiscTabSheet", "Misc"},
    };
    auto *pageControl = find<QTabWidget>("PageControl1");
    ASSERT_EQ(pageControl->count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pageControl->widget(i)->objectName(), pages[i].first);
        EXPECT_EQ(pageControl->tabText(i), pages[i].second);
    }
}

TEST_F(MainWindowTest, MenusHoldTheirCommandsInOrderWithShortcuts)
{
    StartWithFile(ClientFile);
    auto menuItems = [](QMenu *menu) {
        QStringList items;
        for (QAction *action : menu->actions())
            items << (action->isSeparator() ? "-" : action->objectName() + ":" + action->text());
        return items;
    };
    const QList<QAction *> menus = find<QMenuBar>("MainMenu1")->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
    EXPECT_EQ(menus[2]->text(), "&Help");
    EXPECT_EQ(
        menuItems(menus[0]->menu()),
        QStringList(
            {"Open1:&Open…", ":F&ound", "Save1:&Save", "ReloadIni1:Load Ini", "-", "Exit1:E&xit"}));
    const std::vector<std::pair<QString, QKeySequence>> shortcuts = {
        {"Open1", QKeySequence::fromString("Ctrl+O")},
        {"Save1", QKeySequence::fromString("Ctrl+S")},
        {"ReloadIni1", QKeySequence::fromString("F5")},
        {"Exit1", QKeySequence::fromString("Ctrl+Q")},
        {"Help2", QKeySequence::fromString("F1")},
        {"Undo1", QKeySequence::fromString("Ctrl+Z")},
        {"Redo1", QKeySequence::fromString("Ctrl+Shift+Z")},
    };
    for (const auto &[name, keys] : shortcuts)
        EXPECT_EQ(find<QAction>(name)->shortcut(), keys) << name.toStdString();
    EXPECT_EQ(menuItems(menus[1]->menu()),
              QStringList({"Undo1:&Undo",
                           "Redo1:&Redo",
                           "-",
                           "RestorePageDefaults1:Restore Defaults on This Page"}));
    EXPECT_EQ(menuItems(menus[2]->menu()),
              QStringList({"Help2:&Help",
                           "-",
                           "VisitVEzazHomepage1:&Visit VEzaz Homepage",
                           "VisitDevelopersWebsite1:Visit &Developer's Website",
                           "About1:&About"}));
}

TEST_F(MainWindowTest, HintsStayForTenSeconds)
{
    StartWithFile(ClientFile);
    auto *button = find<QToolButton>("ToolButton2");
    QHelpEvent hint(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));

    QApplication::sendEvent(button, &hint);

    EXPECT_EQ(button->toolTipDuration(), 10000);
    EXPECT_EQ(QToolTip::text(), "Save Changes to Duskmarch's Ini File");
    QToolTip::hideText();
}
