#include "ContainerPanel.h"

#include "MainWindowFixture.h"
#include "MiscPage.h"
#include "UserActions.h"

#include <string>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const std::string ClientFile = "[Defaults]\r\n"
                               "ChatFontSize=4\r\n"
                               "[BagPositions]\r\n"
                               "Bag_0_X=1\r\n"
                               "Bag_0_Y=20\r\n"
                               "Bag_1_X=0\r\n"
                               "Bag_1_Y=30\r\n"
                               "Bag_2_X=300\r\n"
                               "Bag_2_Y=5000\r\n"
                               "Bag_8_X=640\r\n"
                               "Bag_8_Y=480\r\n"
                               "Bag_10_X=1600\r\n"
                               "Bag_10_Y=1200\r\n";

class ContainerPanelTest : public MainWindowFixture
{
protected:
    void SetUp() override { StartWithFile(ClientFile); }

    QComboBox *list() { return find<QComboBox>("ContainerComboBox"); }
    SpinEdit *xField() { return find<SpinEdit>("XContainerSpinEdit"); }
    SpinEdit *yField() { return find<SpinEdit>("YContainerSpinEdit"); }
    BagPositionTable &table() { return window().settings().BagPositions; }
    int selected() { return find<MiscPage>("MiscTabSheet")->containerPanel().SelectedContainer; }
    QStringList shown() { return {list()->currentText(), xField()->text(), yField()->text()}; }
};

} // namespace

TEST_F(ContainerPanelTest, ListsTheSixteenContainersAndStartsAtTheFirst)
{
    QStringList entries;
    for (int i = 0; i < list()->count(); ++i)
        entries << list()->itemText(i);
    QStringList expected;
    for (int slot = 1; slot <= 8; ++slot)
        expected << QString("Inventory Slot %1").arg(slot);
    for (int slot = 1; slot <= 8; ++slot)
        expected << QString("Bank Slot %1").arg(slot);

    EXPECT_EQ(entries, expected);
    EXPECT_FALSE(list()->isEditable());
    EXPECT_EQ(shown(), QStringList({"Inventory Slot 1", "1", "20"}));
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(find<QLabel>("XContainerLabel")->text(), "X coordinate:");
    EXPECT_EQ(find<QLabel>("YContainerLabel")->text(), "Y coordinate:");
    EXPECT_EQ(find<QPushButton>("Button6")->text(), "Reload");
}

TEST_F(ContainerPanelTest, ChoosingAContainerShowsItsPositionAndEditsGoIntoIt)
{
    ChooseListItem(list(), "Bank Slot 1");
    EXPECT_EQ(shown(), QStringList({"Bank Slot 1", "640", "480"}));
    EXPECT_EQ(selected(), 8);
    const BagPositionTable before = table();

    TypeIntoField(xField(), "250");
    QTest::keyClick(yField(), Qt::Key_Up);

    BagPositionTable expected = before;
    expected[8] = {250, 481};
    EXPECT_EQ(table(), expected);
}

TEST_F(ContainerPanelTest, OutOfRangePositionIsStoredClampedOnlyWhenTheShownTextChanges)
{
    // Y showed 30, so 5000 shows as 1200 and the bound replaces the stored value.
    ChooseListItem(list(), "Inventory Slot 2");
    ChooseListItem(list(), "Inventory Slot 3");
    EXPECT_EQ(shown(), QStringList({"Inventory Slot 3", "300", "1200"}));
    EXPECT_EQ(table()[2].y, 1200);

    // X showed 1 (Bag_0), so Bag_1's 0 shows as the 1 already there and stays 0.
    ChooseListItem(list(), "Inventory Slot 1");
    ChooseListItem(list(), "Inventory Slot 2");
    EXPECT_EQ(xField()->text(), "1");
    EXPECT_EQ(table()[1].x, 0);
}

TEST_F(ContainerPanelTest, FieldsKeepToTheirRangeWhenStepped)
{
    ChooseListItem(list(), "Bank Slot 3");
    ASSERT_EQ(xField()->text(), "1600");

    QTest::keyClick(xField(), Qt::Key_Up);
    QTest::keyClick(yField(), Qt::Key_Up);

    EXPECT_EQ(shown(), QStringList({"Bank Slot 3", "1600", "1200"}));
    EXPECT_EQ(table()[10], (BagPosition{1600, 1200}));
}

TEST_F(ContainerPanelTest, TypedPositionIsStoredAsTypedUntilTheFieldIsLeft)
{
    TypeIntoField(xField(), "2000");
    EXPECT_EQ(table()[0].x, 2000);

    // Leaving the field puts the bound in, which is stored too.
    QTest::mouseClick(yField(), Qt::LeftButton);
    EXPECT_EQ(xField()->text(), "1600");
    EXPECT_EQ(table()[0].x, 1600);

    TypeIntoField(yField(), "");
    EXPECT_EQ(table()[0].y, 1); // no number counts as the minimum
}

TEST_F(ContainerPanelTest, ReloadButtonRereadsOnlyTheContainersAndKeepsTheSelection)
{
    ChooseListItem(list(), "Bank Slot 3");
    TypeIntoField(xField(), "77");
    table()[0].x = 9;
    window().settings().Defaults.ChatFontSize = 7;
    const QString status = statusText(1);
    WriteBytes(iniPath(), "[Defaults]\r\nChatFontSize=5\r\n[BagPositions]\r\nBag_10_X=123\r\n");

    QTest::mouseClick(find<QPushButton>("Button6"), Qt::LeftButton);

    EXPECT_EQ(shown(), QStringList({"Bank Slot 3", "123", "10"}));
    EXPECT_EQ(table()[10], (BagPosition{123, 10}));
    EXPECT_EQ(table()[0], (BagPosition{100, 10}));
    EXPECT_EQ(window().settings().Defaults.ChatFontSize, 7);
    EXPECT_EQ(statusText(1), status);
}

TEST_F(ContainerPanelTest, WholeFileReloadKeepsTheSelectedContainer)
{
    ChooseListItem(list(), "Bank Slot 3");
    WriteBytes(iniPath(), "[BagPositions]\r\nBag_10_X=222\r\nBag_10_Y=333\r\n");

    clickToolButton("ToolButton1");

    EXPECT_EQ(shown(), QStringList({"Bank Slot 3", "222", "333"}));
    EXPECT_EQ(selected(), 10);
    EXPECT_EQ(table()[10], (BagPosition{222, 333}));
}
