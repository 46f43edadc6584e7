#include "KeyCaptureEdit.h"
#include "MainWindowFixture.h"
#include "sections/KeyMapSection.h"

#include <ostream>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
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
constexpr int CyclereplyEntry = 60;
constexpr int ToggletargetEntry = 63;

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

    void showPage()
    {
        if (auto *pages = find<QTabWidget>(QStringLiteral("PageControl1")))
            pages->setCurrentWidget(find<QWidget>(QStringLiteral("KeysTabSheet")));
    }

    QWidget *cellEditor(int entry) { return grid()->indexWidget(grid()->model()->index(entry, 1)); }

    // Enter on the row, as a keyboard user starts binding a key.
    KeyCaptureEdit *startCapture(int entry)
    {
        showPage();
        QTableWidget *keys = grid();
        keys->setFocus();
        keys->setCurrentCell(entry, 0);
        QTest::keyClick(keys, Qt::Key_Return);
        auto *capture = qobject_cast<KeyCaptureEdit *>(cellEditor(entry));
        if (!capture)
            ADD_FAILURE() << "no key capture on row " << entry;
        return capture;
    }

    void waitClosed(int entry)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return cellEditor(entry) == nullptr; }));
    }

    // Types one character as the keyboard delivers it, whatever its key.
    static void typeCharacter(QWidget *widget, const QString &character)
    {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
    }

    bool marked(int entry)
    {
        const QTableWidgetItem *item = grid()->item(entry, 1);
        return item && item->data(Qt::BackgroundRole).isValid() && !item->icon().isNull();
    }

    // The clash count of the counts panel, which also counts unsaved changes.
    QString countsText()
    {
        auto *counts = find<QLabel>(QStringLiteral("CountsPanel"));
        if (!counts)
            return {};
        QStringList clashes = counts->text().split(QStringLiteral(", "));
        clashes.removeIf(
            [](const QString &part) { return !part.contains(QLatin1String("clash")); });
        return clashes.join(QStringLiteral(", "));
    }

    std::vector<int> visibleRows()
    {
        std::vector<int> rows;
        for (int row = 0; row < grid()->rowCount(); ++row)
            if (!grid()->isRowHidden(row))
                rows.push_back(row);
        return rows;
    }
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
    QTest::keyClicks(editor, QStringLiteral("SHIFT+"));
    // A paste with a line break is refused whole, and the status bar says why.
    QApplication::clipboard()->setText(QStringLiteral("\r\nF1\n"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "SHIFT+");
    EXPECT_TRUE(statusText(1).contains("line break")) << statusText(1).toStdString();
    QApplication::clipboard()->setText(QStringLiteral("F1"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(table()[JumpEntry], "SHIFT+F1");
    endEdit(editor, Qt::Key_Return);
    EXPECT_EQ(cell(JumpEntry, 1), "SHIFT+F1");

    // Text put into a cell by the program is cleaned, in the cell and the table.
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

TEST_F(KeyMapPageTest, EveryByteIsShownAsItsCharacterAndSavedBackAsTheSameByte)
{
    // Entry i holds three bytes of 0x20 to 0xFF between two letters, which keep the blanks
    // away from the ends of the value.
    std::string file = "[KeyMaps]\r\n";
    int next = 0x20;
    for (int entry = 0; entry < KeyMapCount; ++entry) {
        std::string value = "x";
        for (int i = 0; i < 3 && next <= 0xFF; ++i)
            value += static_cast<char>(next++);
        file += std::string(KeyMapKey(entry)) + "=" + value + "x\r\n";
    }
    StartWithFile(file);

    // 0x80 is the euro sign; 0x81 has no character and stands for itself; 0xE9 is é.
    EXPECT_EQ(cell(32, 1), QStringLiteral("x") + QChar(0x20AC) + QChar(0x81) + QChar(0x201A) + "x");
    EXPECT_EQ(cell(67, 1), QStringLiteral("x") + QChar(0xE9) + QChar(0xEA) + QChar(0xEB) + "x");
    // The whole-file save adds the other sections after this one.
    const auto keyMapSection = [&] { return fileBytes().substr(0, file.size()); };
    clickToolButton(QStringLiteral("ToolButton2"));
    EXPECT_EQ(keyMapSection(), file);

    // An edit of another cell leaves every other byte as it was.
    QLineEdit *editor = openBindingEditor(90);
    ASSERT_NE(editor, nullptr);
    typeAtEnd(editor, QStringLiteral("z"));
    endEdit(editor, Qt::Key_Return);
    clickToolButton(QStringLiteral("ToolButton2"));
    std::string expected = file;
    const std::string line = std::string(KeyMapKey(90)) + "=xx";
    expected.replace(expected.find(line), line.size(), line + "z");
    EXPECT_EQ(keyMapSection(), expected.substr(0, file.size()));
}

TEST_F(KeyMapPageTest, ATypedAccentIsWrittenAsOneByteAndACharacterTheFileCannotHoldIsRefused)
{
    StartWithFile(ClientFile);
    QLineEdit *editor = openBindingEditor(JumpEntry);
    ASSERT_NE(editor, nullptr);
    clearField(editor);
    QTest::keyClicks(editor, QStringLiteral("ALT+"));
    typeCharacter(editor, QString(QChar(0xE9)));
    EXPECT_EQ(table()[JumpEntry], "ALT+\xE9");

    const QString outside(QChar(0x0142)); // ł, which Windows-1252 lacks
    typeCharacter(editor, outside);
    EXPECT_EQ(editor->text(), QStringLiteral("ALT+") + QChar(0xE9));
    EXPECT_TRUE(statusText(1).contains(outside)) << statusText(1).toStdString();
    EXPECT_EQ(table()[JumpEntry], "ALT+\xE9");
    endEdit(editor, Qt::Key_Return);

    // Nor does text put into a cell by other means get in; the cell shows the binding again.
    grid()->item(0, 1)->setText(QStringLiteral("ALT+") + outside);
    EXPECT_EQ(cell(0, 1), "q");
    EXPECT_EQ(table()[0], "q");

    clickToolButton(QStringLiteral("ToolButton2"));
    EXPECT_NE(fileBytes().find("KEYMAP_JUMP=ALT+\xE9\r\n"), std::string::npos);
    EXPECT_NE(fileBytes().find("KEYMAP_AUTORUN=q\r\n"), std::string::npos);
}

TEST_F(KeyMapPageTest, APressedKeyIsWrittenInTheNotationOfTheDefaults)
{
    StartWithFile(ClientFile);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *binding;
    } presses[] = {
        {Qt::Key_B, Qt::ControlModifier, "CONTROL+b"},
        {Qt::Key_Space, Qt::NoModifier, "SPACE"},
        {Qt::Key_Tab, Qt::NoModifier, "TAB"},
        {Qt::Key_Backtab, Qt::ShiftModifier, "SHIFT+TAB"},
        {Qt::Key_1, Qt::ShiftModifier, "SHIFT+1"},
        // The layout's character for Shift+1, named by its key.
        {Qt::Key_Exclam, Qt::ShiftModifier, "SHIFT+1"},
        {Qt::Key_Underscore, Qt::ShiftModifier, "SHIFT+-"},
        {Qt::Key_Colon, Qt::ShiftModifier, "SHIFT+;"},
        {Qt::Key_QuoteLeft, Qt::NoModifier, "`"},
        {Qt::Key_Slash, Qt::NoModifier, "/"},
        {Qt::Key_M, Qt::AltModifier, "ALT+m"},
        {Qt::Key_F12, Qt::NoModifier, "F12"},
        {Qt::Key_NumLock, Qt::NoModifier, "NUMLOCK"},
        {Qt::Key_8, Qt::KeypadModifier, "NUMPAD8"},
        {Qt::Key_Up, Qt::KeypadModifier | Qt::ShiftModifier, "SHIFT+NUMPAD8"},
        {Qt::Key_Minus, Qt::KeypadModifier, "NUMPAD-"},
        // The window's own shortcut for Find is a key like any other here.
        {Qt::Key_F, Qt::ControlModifier, "CONTROL+f"},
    };
    for (const auto &press : presses) {
        KeyCaptureEdit *capture = startCapture(JumpEntry);
        ASSERT_NE(capture, nullptr) << press.binding;
        EXPECT_EQ(statusText(1), KeyCaptureEdit::Prompt());
        QTest::keyClick(capture, press.key, press.modifiers);
        waitClosed(JumpEntry);
        EXPECT_EQ(cell(JumpEntry, 1), press.binding);
        EXPECT_EQ(table()[JumpEntry], press.binding);
    }
    EXPECT_NE(QApplication::focusWidget(), find<QLineEdit>(QStringLiteral("KeymapFilter")));
}

TEST_F(KeyMapPageTest, AKeyWithoutANameIsRefusedEscapeKeepsTheBindingAndBackspaceClearsIt)
{
    StartWithFile(ClientFile);
    KeyCaptureEdit *capture = startCapture(JumpEntry);
    ASSERT_NE(capture, nullptr);
    QTest::keyClick(capture, Qt::Key_Home);
    EXPECT_TRUE(statusText(1).contains("no name")) << statusText(1).toStdString();
    QTest::keyClick(capture, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(statusText(1).contains("more than one")) << statusText(1).toStdString();
    // Still waiting for a key.
    EXPECT_EQ(cellEditor(JumpEntry), capture);
    QTest::keyClick(capture, Qt::Key_Escape);
    waitClosed(JumpEntry);
    EXPECT_EQ(cell(JumpEntry, 1), "SPACE");
    EXPECT_EQ(table()[JumpEntry], "SPACE");

    capture = startCapture(JumpEntry);
    ASSERT_NE(capture, nullptr);
    QTest::keyClick(capture, Qt::Key_Backspace);
    waitClosed(JumpEntry);
    EXPECT_EQ(table()[JumpEntry], "");
}

TEST_F(KeyMapPageTest, ADoubleClickCapturesAKeyWhileF2AndTypingEditTheText)
{
    StartWithFile(ClientFile);
    showPage();
    QTableWidget *keys = grid();
    const QModelIndex jump = keys->model()->index(JumpEntry, 1);
    // A double-click as the window system delivers it: a click, then a second press that is
    // also a double-click, and its release.
    const QPoint middle = keys->visualRect(jump).center();
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, {}, middle);
    QTest::mousePress(keys->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseDClick(keys->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseRelease(keys->viewport(), Qt::LeftButton, {}, middle);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_NE(qobject_cast<KeyCaptureEdit *>(cellEditor(JumpEntry)), nullptr);
    QTest::keyClick(cellEditor(JumpEntry), Qt::Key_Escape);
    waitClosed(JumpEntry);

    keys->setFocus();
    keys->setCurrentIndex(jump);
    QTest::keyClick(keys, Qt::Key_F2);
    auto *text = qobject_cast<QLineEdit *>(cellEditor(JumpEntry));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(qobject_cast<KeyCaptureEdit *>(text), nullptr);
    EXPECT_EQ(text->text(), "SPACE");
    endEdit(text, Qt::Key_Escape);

    keys->setFocus();
    QTest::keyClick(keys, Qt::Key_X, Qt::NoModifier);
    text = qobject_cast<QLineEdit *>(cellEditor(JumpEntry));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(qobject_cast<KeyCaptureEdit *>(text), nullptr);
    EXPECT_EQ(text->text(), "x");
}

TEST_F(KeyMapPageTest, ABindingSharedByTwoFunctionsIsMarkedInBothRowsAndCounted)
{
    StartWithoutFile();
    // The defaults bind Tab twice.
    EXPECT_TRUE(marked(CyclereplyEntry));
    EXPECT_TRUE(marked(ToggletargetEntry));
    EXPECT_FALSE(marked(JumpEntry));
    EXPECT_TRUE(grid()->item(CyclereplyEntry, 1)->toolTip().contains("Toggletarget"));
    EXPECT_TRUE(grid()->item(ToggletargetEntry, 0)->toolTip().contains("Cyclereply"));
    EXPECT_EQ(countsText(), "1 key clash");

    // Compared trimmed and ignoring letter case, and marked while still typing.
    QLineEdit *editor = openBindingEditor(JumpEntry);
    ASSERT_NE(editor, nullptr);
    clearField(editor);
    QTest::keyClicks(editor, QStringLiteral(" control+B"));
    EXPECT_TRUE(marked(JumpEntry));
    EXPECT_TRUE(marked(SpellbookEntry));
    EXPECT_EQ(countsText(), "2 key clashes");
    EXPECT_EQ(editor->text(), " control+B");
    endEdit(editor, Qt::Key_Return);

    KeyCaptureEdit *capture = startCapture(ToggletargetEntry);
    ASSERT_NE(capture, nullptr);
    QTest::keyClick(capture, Qt::Key_F9, Qt::ShiftModifier);
    waitClosed(ToggletargetEntry);
    EXPECT_FALSE(marked(CyclereplyEntry));
    EXPECT_FALSE(marked(ToggletargetEntry));
    EXPECT_FALSE(grid()->item(CyclereplyEntry, 1)->toolTip().contains("Toggletarget"));
    EXPECT_EQ(countsText(), "1 key clash");

    // Empty bindings never clash.
    for (const int entry : {JumpEntry, SpellbookEntry}) {
        capture = startCapture(entry);
        ASSERT_NE(capture, nullptr);
        QTest::keyClick(capture, Qt::Key_Backspace);
        waitClosed(entry);
    }
    EXPECT_FALSE(marked(JumpEntry));
    EXPECT_FALSE(marked(SpellbookEntry));
    EXPECT_EQ(countsText(), "");
}

TEST_F(KeyMapPageTest, TheFilterNarrowsTheRowsByNameOrBindingAndEscapeRestoresThem)
{
    StartWithoutFile();
    showPage();
    window().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
    auto *filter = find<QLineEdit>(QStringLiteral("KeymapFilter"));
    ASSERT_NE(filter, nullptr);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(filter->hasFocus());

    QTest::keyClicks(filter, QStringLiteral("CYCLE"));
    EXPECT_EQ(visibleRows(), (std::vector<int>{60, 61}));
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("numpad8"));
    EXPECT_EQ(visibleRows(), (std::vector<int>{4, 78}));
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(filter->text(), "");
    EXPECT_EQ(visibleRows().size(), 97u);
}

TEST_F(KeyMapPageTest, TheWholeFunctionNameStaysInViewWhereverTheKeyboardGoes)
{
    StartWithoutFile();
    showPage();
    QTableWidget *keys = grid();
    keys->setFocus();
    keys->setCurrentCell(0, 0);
    const auto checkNamesWhole = [&](const char *where) {
        EXPECT_EQ(keys->horizontalScrollBar()->value(), 0) << where;
        const QRect nameCell = keys->visualRect(keys->model()->index(keys->currentRow(), 0));
        EXPECT_EQ(nameCell.left(), 0) << where;
        EXPECT_GE(nameCell.width(),
                  keys->fontMetrics().horizontalAdvance(cell(keys->currentRow(), 0)))
            << where;
        EXPECT_LE(keys->visualRect(keys->currentIndex()).right(), keys->viewport()->width())
            << where;
    };
    for (int row = 0; row < 97; ++row) {
        QTest::keyClick(keys, Qt::Key_Right);
        checkNamesWhole("right");
        QTest::keyClick(keys, Qt::Key_End);
        checkNamesWhole("end");
        QTest::keyClick(keys, Qt::Key_Left);
        checkNamesWhole("left");
        QTest::keyClick(keys, Qt::Key_Down);
    }
}
