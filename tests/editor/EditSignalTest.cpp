#include "MainWindowFixture.h"
#include "UserActions.h"
#include "widgets/ClickPanel.h"
#include "widgets/SpinEdit.h"

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>

namespace {

// A client file with values the pages clamp when they show them: Player's X at 1024x768, the
// first container's X and the chat font size are beyond their fields' ranges.
const std::string OutOfRangeFile = "[Defaults]\r\nVideoMode=2\r\nChatFontSize=999\r\n"
                                   "[Windows1024]\r\nPlayerWinX=99999\r\nChatWinY=-5000\r\n"
                                   "[BagPositions]\r\nBag_0_X=99999\r\nBag_1_Y=-99999\r\n";

void TypeIntoBox(QLineEdit *box, const QString &text)
{
    ASSERT_NE(box, nullptr);
    ShowPageOf(box);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

struct EditCase
{
    const char *what;
    std::function<void()> edit;
    QStringList expectedIds;
};

} // namespace

class EditSignalTest : public MainWindowFixture
{
protected:
    void EditKeyBinding(int row, const QString &text)
    {
        auto *grid = find<QTableWidget>("KeymapEditor");
        ShowPageOf(grid);
        QTableWidgetItem *binding = grid->item(row, 1);
        QTest::mouseClick(
            grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(binding).center());
        QTest::keyClick(grid->viewport(), Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !grid->indexWidget(grid->currentIndex()); }));
    }

    void AcceptTextColor(const QString &label, const QString &red)
    {
        auto *sample = find<QLabel>(label);
        ShowPageOf(sample);
        QTest::mouseClick(sample, Qt::LeftButton, {}, QPoint(4, sample->height() / 2));
        TypeIntoBox(find<QLineEdit>("Edit1"), red);
        QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    }
};

// One user edit per page and kind of control: the records change and exactly one notification
// names exactly the settings changed.
TEST_F(EditSignalTest, EachUserEditReportsTheSettingsItChangedOnce)
{
    StartWithFile(TestData("realistic_client.ini"));
    const std::vector<EditCase> cases{
        {"text colour accepted",
         [&] { AcceptTextColor("User_5", "77"); },
         {"TextColors.User_5_Red"}},
        {"window X field",
         [&] { TypeIntoField(find<SpinEdit>("XSpinEdit"), "5"); },
         {"Windows1024.PlayerWinX"}},
        {"window colour box",
         [&] { TypeIntoBox(find<QLineEdit>("Edit4"), "7"); },
         {"WindowColors.PlayerWinRed"}},
        {"window transparency",
         [&] { TypeIntoField(find<SpinEdit>("TransSpinEdit"), "3"); },
         {"WindowColors.PlayerWinTrans"}},
        {"window colour dialog",
         [&] {
             colorAnswers.push_back(RgbColor{1, 2, 3});
             QTest::mouseDClick(find<ClickPanel>("WinColorPanel"), Qt::LeftButton);
         },
         {"WindowColors.PlayerWinRed",
          "WindowColors.PlayerWinGreen",
          "WindowColors.PlayerWinBlue"}},
        {"lock check box",
         [&] { ClickButton(find<QCheckBox>("LockWinCheckBox")); },
         {"Defaults.LockWindows"}},
        {"model check box",
         [&] { ClickButton(find<QCheckBox>("VorranHumanMaleCheckBox")); },
         {"Defaults.UseVorranHumanMale"}},
        {"video mode list",
         [&] { ChooseListItem(find<QComboBox>("VideoModeComboBox"), "800x600"); },
         {"Defaults.VideoMode"}},
        {"track filter box",
         [&] { ClickButton(find<QCheckBox>("RedsCheckBox")); },
         {"Defaults.TrackFilterType"}},
        {"font size field",
         [&] { TypeIntoField(find<SpinEdit>("FontSizeSpinEdit"), "2"); },
         {"Defaults.ChatFontSize"}},
        {"container X field",
         [&] { TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "7"); },
         {"BagPositions.Bag_0_X"}},
        {"key binding", [&] { EditKeyBinding(0, "F9"); }, {"KeyMaps.KEYMAP_AUTORUN"}},
    };
    for (const EditCase &edit : cases) {
        SCOPED_TRACE(edit.what);
        const ClientSettings before = window().settings();
        QSignalSpy edits(&window(), &TDMini1::settingsEdited);
        edit.edit();
        EXPECT_NE(window().settings(), before);
        ASSERT_EQ(edits.size(), 1);
        EXPECT_EQ(edits.at(0).at(0).toStringList(), edit.expectedIds);
    }
}

TEST_F(EditSignalTest, ShowingRecordsReportsNothingEvenWhereTheFieldsClampThem)
{
    StartWithFile(OutOfRangeFile);
    // The start-up fill stored the clamped values, as it always has.
    EXPECT_EQ(window().settings().BagPositions[0].x, 1600);
    QSignalSpy edits(&window(), &TDMini1::settingsEdited);

    clickToolButton("ToolButton1");
    ChooseListItem(find<QComboBox>("WindowComboBox"), "Chat");
    QTest::mouseClick(find<QToolButton>("SpeedButton3"), Qt::LeftButton);
    ChooseListItem(find<QComboBox>("ContainerComboBox"),
                   find<QComboBox>("ContainerComboBox")->itemText(1));
    QTest::mouseClick(find<QPushButton>("Button4"), Qt::LeftButton);
    QTest::mouseClick(find<QPushButton>("Button6"), Qt::LeftButton);

    EXPECT_EQ(edits.size(), 0);
}
