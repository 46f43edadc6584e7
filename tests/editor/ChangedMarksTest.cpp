#include "ChangedMarks.h"

#include "MainWindowFixture.h"
#include "UserActions.h"
#include "widgets/SpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

class ChangedMarksTest : public MainWindowFixture
{
protected:
    void SetUp() override { StartWithFile(TestData("realistic_client.ini")); }

    QWidget *control(const char *id)
    {
        return window().bindings().ControlsOf(*FindSetting(id)).front();
    }

    // The captions of the tabs that carry the changed mark.
    QStringList markedTabs()
    {
        auto *pages = find<QTabWidget>("PageControl1");
        QStringList marked;
        for (int tab = 0; tab < pages->count(); ++tab) {
            if (!pages->tabIcon(tab).isNull())
                marked << pages->tabText(tab);
        }
        return marked;
    }

    bool listItemMarked(const char *list, int item)
    {
        auto *items = find<QComboBox>(list);
        return !items->itemIcon(item).isNull() && items->itemData(item, Qt::FontRole).isValid();
    }
};

TEST_F(ChangedMarksTest, AMarkGoesWhenTheEditIsTakenBackSavedOrReloaded)
{
    auto *fullscreen = qobject_cast<QCheckBox *>(control("Defaults.ScreenMode"));
    ASSERT_NE(fullscreen, nullptr);
    EXPECT_EQ(markedTabs(), QStringList{});
    EXPECT_FALSE(fullscreen->font().bold());

    // The caption keeps its text: only the weight and the tab's icon tell.
    ClickButton(fullscreen);
    EXPECT_TRUE(fullscreen->font().bold());
    EXPECT_EQ(markedTabs(), QStringList{"Display"});
    ClickButton(fullscreen);
    EXPECT_FALSE(fullscreen->font().bold());
    EXPECT_EQ(markedTabs(), QStringList{});

    ClickButton(fullscreen);
    clickToolButton("ToolButton2");
    EXPECT_FALSE(fullscreen->font().bold());
    EXPECT_EQ(markedTabs(), QStringList{});

    // Back to what the file held before the save is a change again, until the reload.
    ClickButton(fullscreen);
    EXPECT_TRUE(fullscreen->font().bold());
    clickToolButton("ToolButton1");
    EXPECT_FALSE(fullscreen->font().bold());
    EXPECT_EQ(markedTabs(), QStringList{});
}

TEST_F(ChangedMarksTest, ASharedFieldIsMarkedForTheSelectedItemAndItsListMarksTheItem)
{
    window().ShowSetting(*FindSetting("Windows1024.ChatWinX"));
    auto *windows = find<QComboBox>("WindowComboBox");
    const int chat = windows->currentIndex();
    QWidget *xLabel = window().marks().MarkHolder(control("Windows1024.ChatWinX"));
    ASSERT_NE(xLabel, nullptr);
    EXPECT_EQ(xLabel->objectName(), "XTitle");

    TypeIntoField(find<SpinEdit>("XSpinEdit"), "123");
    EXPECT_TRUE(xLabel->font().bold());
    EXPECT_TRUE(listItemMarked("WindowComboBox", chat));
    EXPECT_EQ(markedTabs(), QStringList{"Window Colors/Positions"});

    ChooseListItem(windows, windows->itemText(chat == 0 ? 1 : 0));
    EXPECT_FALSE(xLabel->font().bold());
    EXPECT_TRUE(listItemMarked("WindowComboBox", chat));
    EXPECT_FALSE(listItemMarked("WindowComboBox", windows->currentIndex()));

    // The list tells about the layout the page shows.
    window().ShowSetting(*FindSetting("Windows800.ChatWinX"));
    EXPECT_FALSE(listItemMarked("WindowComboBox", chat));
    EXPECT_FALSE(xLabel->font().bold());
    window().ShowSetting(*FindSetting("Windows1024.ChatWinX"));
    EXPECT_TRUE(xLabel->font().bold());

    window().ShowSetting(*FindSetting("BagPositions.Bag_3_Y"));
    TypeIntoField(find<SpinEdit>("YContainerSpinEdit"), "77");
    EXPECT_TRUE(listItemMarked("ContainerComboBox", 3));
    EXPECT_FALSE(listItemMarked("ContainerComboBox", 0));
    EXPECT_TRUE(window().marks().MarkHolder(find<SpinEdit>("YContainerSpinEdit"))->font().bold());
}

TEST_F(ChangedMarksTest, MarkedTextColourCaptionsAreUnderlinedAndStillFitTheirColumns)
{
    window().ShowSetting(*FindSetting("TextColors.User_1_Red"));
    triggerAction("RestorePageDefaults1");
    constexpr std::array<int, 5> columnLefts{8, 184, 395, 587, 800};
    int marked = 0;
    for (int n = 1; n <= 51; ++n) {
        auto *caption = find<QWidget>(QStringLiteral("User_%1").arg(n));
        const auto column = static_cast<std::size_t>((n - 1) / 15);
        marked += caption->font().underline() ? 1 : 0;
        EXPECT_LT(caption->geometry().right(), columnLefts[column + 1]) << n;
    }
    EXPECT_GT(marked, 40);
}

class PageKeyboardTest : public ChangedMarksTest
{};

// Every control that edits a setting can be reached with Tab from its page's tab.
TEST_F(PageKeyboardTest, TabReachesEveryBoundControlOfEveryPage)
{
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    auto *pages = find<QTabWidget>("PageControl1");
    for (int tab = 0; tab < pages->count(); ++tab) {
        SCOPED_TRACE(pages->tabText(tab).toStdString());
        pages->setCurrentIndex(tab);
        pages->tabBar()->setFocus(Qt::TabFocusReason);
        QSet<QWidget *> reached;
        for (int step = 0; step < 200; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget());
        }
        int checked = 0;
        for (QWidget *control : window().bindings().controls()) {
            if (!control->isVisible() || !control->isEnabled()
                || !pages->widget(tab)->isAncestorOf(control))
                continue;
            ++checked;
            bool found = reached.contains(control);
            for (QWidget *inner : control->findChildren<QWidget *>())
                found = found || reached.contains(inner);
            EXPECT_TRUE(found) << control->objectName().toStdString();
        }
        EXPECT_GT(checked, 0);
    }
}
