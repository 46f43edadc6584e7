#include "MainWindowFixture.h"
#include "UnsavedCount.h"
#include "UserActions.h"
#include "widgets/SpinEdit.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>
#include <QWindow>

namespace {

const std::string File = "[BagPositions]\r\nBag_0_X=40\r\n[Unknown]\r\nKept=yes\r\n";
const std::string OtherFile = "[BagPositions]\r\nBag_0_X=55\r\n";

ClientSettings ReadFile(const std::string &path)
{
    ClientSettings settings;
    LoadAllSections(path, settings);
    return settings;
}

QString Text(const std::string &text)
{
    return QString::fromLocal8Bit(text);
}

} // namespace

class UnsavedChangesTest : public MainWindowFixture
{
protected:
    std::string otherPath() const { return folder.file("other.ini"); }

    void StartAndEdit()
    {
        WriteBytes(otherPath(), OtherFile);
        rememberedFile.reset();
        StartWithFile(File);
        TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "7");
        ASSERT_TRUE(window().isWindowModified());
    }

    int bagX() const
    {
        return const_cast<UnsavedChangesTest *>(this)->window().settings().BagPositions[0].x;
    }
};

TEST_F(UnsavedChangesTest, EveryWayOfLosingEditsAsksAndDoesWhatTheAnswerSays)
{
    struct Route
    {
        const char *name;
        QString action;
        std::function<void()> run;
    };
    const std::vector<Route> routes = {
        {"toolbar exit", "closing", [this] { clickToolButton("ToolButton8"); }},
        {"close box", "closing", [this] { window().windowHandle()->close(); }},
        {"reload", "reloading", [this] { triggerAction("ReloadIni1"); }},
        {"open",
         "opening other.ini",
         [this] {
             openAnswers.push_back(Text(otherPath()));
             triggerAction("Open1");
         }},
    };
    for (const Route &route : routes) {
        for (const UnsavedAnswer answer :
             {UnsavedAnswer::Save, UnsavedAnswer::Discard, UnsavedAnswer::Cancel}) {
            SCOPED_TRACE(std::string(route.name) + " answered " + std::to_string(int(answer)));
            StartAndEdit();
            questions.clear();
            unsavedAnswers = {answer};

            route.run();

            ASSERT_EQ(questions.size(), 1u);
            EXPECT_EQ(questions[0], "Save changes to dmclient.ini before " + route.action + "?");
            const bool saved = answer == UnsavedAnswer::Save;
            EXPECT_EQ(ReadFile(iniPath()).BagPositions[0].x, saved ? 7 : 40);
            EXPECT_EQ(saved,
                      fileBytes().find("Kept=yes") != std::string::npos && fileBytes() != File);
            const bool goesOn = answer != UnsavedAnswer::Cancel;
            if (route.action == "closing") {
                EXPECT_EQ(window().isVisible(), !goesOn);
            } else {
                EXPECT_TRUE(window().isVisible());
                EXPECT_EQ(window().isWindowModified(), !goesOn);
            }
            if (!goesOn) {
                EXPECT_EQ(bagX(), 7);
                EXPECT_EQ(window().clientIniPath(), iniPath());
            } else if (route.action == "reloading") {
                EXPECT_EQ(bagX(), saved ? 7 : 40);
            } else if (route.action.startsWith("opening")) {
                EXPECT_EQ(window().clientIniPath(), otherPath());
                EXPECT_EQ(bagX(), 55);
                EXPECT_EQ(rememberedFile, otherPath());
            }
        }
    }
}

TEST_F(UnsavedChangesTest, NothingAsksWhenNothingIsUnsaved)
{
    WriteBytes(otherPath(), OtherFile);
    StartWithFile(File);
    triggerAction("ReloadIni1");
    openAnswers.push_back(Text(otherPath()));
    triggerAction("Open1");
    window().close();

    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(fileBytes(), File);
}

TEST_F(UnsavedChangesTest, MarkerFollowsTheRecordsAndThePendingTextColour)
{
    StartWithFile(File);
    EXPECT_FALSE(window().isWindowModified());

    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "7");
    EXPECT_TRUE(window().isWindowModified());
    // The panel also counts the key clashes the file has.
    EXPECT_TRUE(find<QLabel>("CountsPanel")->text().startsWith("1 unsaved change,"));
    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "40");
    EXPECT_FALSE(window().isWindowModified()) << "an edit back to the file's value";
    EXPECT_FALSE(find<QLabel>("CountsPanel")->text().contains("unsaved"));

    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "8");
    clickToolButton("ToolButton2");
    EXPECT_FALSE(window().isWindowModified()) << "after save";

    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "9");
    triggerAction("ReloadIni1");
    EXPECT_FALSE(window().isWindowModified()) << "after reload";

    // A text colour typed but not yet accepted is an edit too.
    auto *red = find<QLineEdit>("Edit1");
    ShowPageOf(red);
    QTest::mouseClick(red, Qt::LeftButton);
    QTest::keyClick(red, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(red, "9");
    EXPECT_TRUE(window().isWindowModified());
}

TEST_F(UnsavedChangesTest, ClampedValuesOpenAsModifiedButRespellingsDoNot)
{
    StartWithFile("[Defaults]\r\nLog=yes\r\n");
    EXPECT_FALSE(window().isWindowModified()) << "\"yes\" is read as TRUE, nothing to save";

    StartWithFile("[BagPositions]\r\nBag_0_X=99999\r\n");
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_TRUE(statusText(1).contains("out of range")) << statusText(1).toStdString();
}

TEST_F(UnsavedChangesTest, WithNoFileAndNoWritableFolderSaveAsksWhereAndRemembersIt)
{
    executableFolder = (folder.path() / "not-there" / "").string();
    StartWithoutFile();
    EXPECT_TRUE(statusText(1).startsWith("No dmclient.ini found")) << statusText(1).toStdString();
    EXPECT_TRUE(find<QLabel>("StatusPanel1")->toolTip().contains("not-there"));

    const std::string chosen = folder.file("chosen.ini");
    saveAnswers.push_back(Text(chosen));
    clickToolButton("ToolButton2");

    EXPECT_EQ(saveDialogs, 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(chosen));
    EXPECT_EQ(window().clientIniPath(), chosen);
    EXPECT_EQ(window().windowFilePath(), Text(chosen));
    EXPECT_EQ(rememberedFile, chosen);

    // The next start tries the remembered file first.
    executableFolder.reset();
    StartWithoutFile();
    EXPECT_EQ(window().clientIniPath(), chosen);
}

TEST_F(UnsavedChangesTest, DroppingAFileOpensIt)
{
    WriteBytes(otherPath(), OtherFile);
    StartWithFile(File);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Text(otherPath()))});
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});

    // Straight to the window: without a real drag, the application would route it nowhere.
    static_cast<QObject &>(window()).event(&drop);

    EXPECT_EQ(window().clientIniPath(), otherPath());
    EXPECT_EQ(statusText(1), "Editing " + Text(otherPath()));
}

TEST_F(UnsavedChangesTest, AnOutsideChangeShowsTheNoticeButOwnSavesDoNot)
{
    StartWithFile(File);
    auto *notice = find<QToolButton>("ReloadNoticeButton");
    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "7");
    clickToolButton("ToolButton2");
    WriteBytes(folder.file("neighbour.ini"), "[A]\r\n");
    QTest::qWait(1500);
    EXPECT_FALSE(notice->isVisible());

    WriteBytes(iniPath(), OtherFile);
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 5000);
    EXPECT_TRUE(statusText(1).contains("changed by another program"));

    QTest::mouseClick(notice, Qt::LeftButton);
    EXPECT_EQ(bagX(), 55);
    EXPECT_FALSE(notice->isVisible());
}

// One setting changed alone is one unsaved change, whichever record holds it.
TEST(UnsavedCount, EverySettingChangedAloneCountsOnce)
{
    const ClientSettings saved;
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        ClientSettings edited = saved;
        std::vector<std::string> candidates{std::to_string(setting.minimum),
                                            std::to_string(setting.maximum),
                                            "F9",
                                            "TRUE",
                                            "FALSE",
                                            "FULL",
                                            "NORMAL"};
        for (const std::string_view choice : setting.choices)
            candidates.emplace_back(choice);
        for (const std::string &text : candidates) {
            if (!SettingDiffers(edited, saved, setting))
                SetSettingText(edited, setting, text);
        }
        ASSERT_TRUE(SettingDiffers(edited, saved, setting));
        EXPECT_EQ(CountDifferingKeys(edited, saved), 1);
    }
}
