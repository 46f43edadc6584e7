#include "MainWindowFixture.h"

#include <ostream>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

// Readable failure messages: gtest finds this beside QString.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const std::string ClientFile = "[KeyMaps]\r\n"
                               "KEYMAP_AUTORUN=q\r\n"
                               "KEYMAP_JUMP=SPACE\r\n"
                               "KEYMAP_TOGGLE_MAINMENUWIN=\r\n"
                               "\r\n"
                               "[Other]\r\n"
                               "Kept=yes\r\n";

constexpr int JumpEntry = 3;
constexpr int SpellbookEntry = 64;

} // namespace

class KeyMapPageTest : public MainWindowFixture
{
protected:
    QTableWidget *grid() { return find<QTableWidget>(QStringLiteral("KeymapEditor")); }

    QString cell(int row, int column)
    {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QStringLiteral("<no item>");
    }

    // Shows the Keymaps page and opens the binding cell of an entry for editing, as a
    // double-click does; gives the cell's field.
    QLineEdit *openBindingEditor(int entry)
    {
        if (auto *pages = find<QTabWidget>(QStringLiteral("PageControl1")))
            pages->setCurrentWidget(find<QWidget>(QStringLiteral("KeysTabSheet")));
        QTableWidget *table = grid();
        table->setCurrentCell(entry, 1);
        table->editItem(table->item(entry, 1));
        auto *editor
            = qobject_cast<QLineEdit *>(table->indexWidget(table->model()->index(entry, 1)));
        if (!editor)
            ADD_FAILURE() << "no editor opened on row " << entry;
        return editor;
    }

    // Selects the whole text of the field and deletes it, as the user would.
    static void clearField(QLineEdit *editor)
    {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
    }

    // Presses a key that ends the edit, then waits until the grid has closed the editor: the
    // grid commits Enter after the key event, from its event loop.
    void endEdit(QLineEdit *editor, Qt::Key key)
    {
        QTableWidget *table = grid();
        const QModelIndex cell = table->currentIndex();
        QTest::keyClick(editor, key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return table->indexWidget(cell) == nullptr; }));
    }

    // Puts the cursor after the text, which the grid selects whole when it opens a cell.
    static void typeAtEnd(QLineEdit *editor, const QString &text)
    {
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, text);
    }

    const KeyMapTable &table() { return window().settings().KeyMaps; }
};

TEST_F(KeyMapPageTest, ShowsTheNinetySevenFunctionsWithTheirBindingsUnderATitleRow)
{
    StartWithoutFile();
    QTableWidget *keys = grid();
    ASSERT_NE(keys, nullptr);

    ASSERT_EQ(keys->rowCount(), 97);
    ASSERT_EQ(keys->columnCount(), 2);
    EXPECT_EQ(keys->horizontalHeaderItem(0)->text(), "Function");
    EXPECT_EQ(keys->horizontalHeaderItem(1)->text(), "Key");
    EXPECT_FALSE(keys->verticalHeader()->isVisible());
    EXPECT_EQ(keys->geometry(), QRect(8, 12, 305, 333));
    EXPECT_EQ(keys->columnWidth(0), 150);

    EXPECT_EQ(cell(0, 0), "Autorun");
    EXPECT_EQ(cell(0, 1), "NUMLOCK");
    EXPECT_EQ(cell(96, 0), "Toggle_mainmenuwin");
    EXPECT_EQ(cell(96, 1), "ALT+m");
    // Digits, underscores and later words keep their place; only the letters after the first
    // go to lower case.
    EXPECT_EQ(cell(40, 0), "Hot10");
    EXPECT_EQ(cell(61, 0), "Cyclereply_back");
    EXPECT_EQ(cell(89, 0), "Toggle_playerwin");
    for (int row = 0; row < 97; ++row) {
        EXPECT_FALSE(keys->item(row, 0)->flags() & Qt::ItemIsEditable) << row;
        EXPECT_TRUE(keys->item(row, 1)->flags() & Qt::ItemIsEditable) << row;
    }
}

TEST_F(KeyMapPageTest, EveryKeystrokeReachesTheTableAndTheSaveWritesItAsTyped)
{
    StartWithFile(ClientFile);
    QLineEdit *editor = openBindingEditor(JumpEntry);
    ASSERT_NE(editor, nullptr);

    clearField(editor);
    EXPECT_EQ(table()[JumpEntry], "");
    const QString typed = QStringLiteral("CONTROL+b");
    for (qsizetype length = 1; length <= typed.size(); ++length) {
        QTest::keyClicks(editor, typed.mid(length - 1, 1));
        EXPECT_EQ(table()[JumpEntry], typed.left(length).toStdString());
    }
    endEdit(editor, Qt::Key_Return);

    EXPECT_EQ(cell(JumpEntry, 1), "CONTROL+b");
    EXPECT_EQ(table()[JumpEntry], "CONTROL+b");
    // The same binding elsewhere is no reason to refuse it.
    EXPECT_EQ(table()[SpellbookEntry], "CONTROL+b");

    clickToolButton(QStringLiteral("ToolButton2"));
    ClientSettings saved;
    LoadAllSections(iniPath(), saved);
    EXPECT_EQ(saved.KeyMaps[JumpEntry], "CONTROL+b");
    EXPECT_NE(fileBytes().find("Kept=yes"), std::string::npos);
}

TEST_F(KeyMapPageTest, AnEmptiedCellIsSavedEmptyAndReloadsEmptyNotAsTheDefault)
{
    StartWithoutFile();
    QLineEdit *editor = openBindingEditor(0);
    ASSERT_NE(editor, nullptr);
    clearField(editor);
    endEdit(editor, Qt::Key_Return);
    EXPECT_EQ(table()[0], "");

    clickToolButton(QStringLiteral("ToolButton2"));
    // Read back apart from the window: a missing key would read as "NUMLOCK".
    ClientSettings saved;
    LoadAllSections(iniPath(), saved);
    EXPECT_EQ(saved.KeyMaps[0], "");
    clickToolButton(QStringLiteral("ToolButton1"));

    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(table()[0], "");
}

TEST_F(KeyMapPageTest, AReloadShowsTheFilesNewBindingsInStillNinetySevenRows)
{
    StartWithFile(ClientFile);
    EXPECT_EQ(cell(0, 1), "q");
    EXPECT_EQ(cell(96, 1), "");
    QLineEdit *editor = openBindingEditor(JumpEntry);
    ASSERT_NE(editor, nullptr);
    typeAtEnd(editor, QStringLiteral("x"));
    endEdit(editor, Qt::Key_Return);

    WriteBytes(iniPath(), "[KeyMaps]\r\nKEYMAP_AUTORUN=F5\r\nKEYMAP_TOGGLE_MAINMENUWIN=ALT+z\r\n");
    clickToolButton(QStringLiteral("ToolButton1"));

    ASSERT_EQ(grid()->rowCount(), 97);
    EXPECT_EQ(cell(0, 1), "F5");
    EXPECT_EQ(cell(JumpEntry, 1), "SPACE");
    EXPECT_EQ(cell(96, 1), "ALT+z");
    EXPECT_EQ(cell(96, 0), "Toggle_mainmenuwin");
}

TEST_F(KeyMapPageTest, AReloadWhileACellIsOpenKeepsTheReloadedBinding)
{
    // Clicking a toolbar button leaves the cell's editor open; closing it as the rows go must
    // not write the dropped text into the table just read.
    StartWithFile(ClientFile);
    QLineEdit *editor = openBindingEditor(0);
    ASSERT_NE(editor, nullptr);
    typeAtEnd(editor, QStringLiteral("zz"));
    EXPECT_EQ(table()[0], "qzz");

    clickToolButton(QStringLiteral("ToolButton1"));

    EXPECT_EQ(table()[0], "q");
    EXPECT_EQ(cell(0, 1), "q");
}

TEST_F(KeyMapPageTest, EscapeDropsTheEditAndTheTableFollowsTheCellBack)
{
    StartWithFile(ClientFile);
    QLineEdit *editor = openBindingEditor(0);
    ASSERT_NE(editor, nullptr);
    typeAtEnd(editor, QStringLiteral("w"));
    EXPECT_EQ(table()[0], "qw");

    endEdit(editor, Qt::Key_Escape);

    EXPECT_EQ(cell(0, 1), "q");
    EXPECT_EQ(table()[0], "q");
}

TEST_F(KeyMapPageTest, ALineBreakNeverReachesTheTableNorTheFile)
{
    // A line break in a value would end the key's line and start a new one in the file.
    StartWithFile(ClientFile);
    QLineEdit *editor = openBindingEditor(JumpEntry);
    ASSERT_NE(editor, nullptr);
    clearField(editor);
    QApplication::clipboard()->setText(QStringLiteral("SHIFT+\r\nF1\n"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "SHIFT+F1");
    EXPECT_EQ(table()[JumpEntry], "SHIFT+F1");
    endEdit(editor, Qt::Key_Return);
    EXPECT_EQ(cell(JumpEntry, 1), "SHIFT+F1");

    // Text put into a cell by the program is cleaned the same way, in the cell and the table.
    grid()->item(0, 1)->setText(QStringLiteral("ALT+\nx"));
    EXPECT_EQ(cell(0, 1), "ALT+x");
    EXPECT_EQ(table()[0], "ALT+x");
    QLineEdit *second = openBindingEditor(0);
    ASSERT_NE(second, nullptr);
    second->setText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(second->text(), "ab");
    EXPECT_EQ(table()[0], "ab");
    endEdit(second, Qt::Key_Return);

    clickToolButton(QStringLiteral("ToolButton2"));
    ClientSettings saved;
    LoadAllSections(iniPath(), saved);
    EXPECT_EQ(saved.KeyMaps[JumpEntry], "SHIFT+F1");
    EXPECT_EQ(saved.KeyMaps[0], "ab");
    EXPECT_EQ(fileBytes().find("\nF1"), std::string::npos);
}
