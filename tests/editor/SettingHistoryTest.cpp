#include "ChangedMarks.h"
#include "EditHistory.h"
#include "MainWindowFixture.h"
#include "SettingIds.h"
#include "UserActions.h"
#include "WindowPage.h"
#include "WindowPreview.h"
#include "widgets/SpinEdit.h"

#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>

namespace {

// What a bound control shows, as text, whatever kind of control it is.
QString Shown(QWidget *control)
{
    if (auto *field = qobject_cast<SpinEdit *>(control))
        return QString::number(field->value());
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *check = qobject_cast<QCheckBox *>(control))
        return check->isChecked() ? "on" : "off";
    if (auto *list = qobject_cast<QComboBox *>(control))
        return QString::number(list->currentIndex());
    if (auto *grid = qobject_cast<QTableWidget *>(control))
        return grid->item(grid->currentRow(), 1)->text();
    if (auto *group = qobject_cast<QGroupBox *>(control)) {
        QString checked;
        for (QRadioButton *item : group->findChildren<QRadioButton *>())
            checked += item->isChecked() ? "1" : "0";
        return checked;
    }
    return {};
}

// A one-digit number in the setting's range other than what the control shows, so that typing
// it is one keystroke.
QString OtherDigit(const Setting &setting, const QString &shown)
{
    for (int digit = 1; digit <= 9; ++digit) {
        if (digit >= setting.minimum && digit <= setting.maximum && QString::number(digit) != shown)
            return QString::number(digit);
    }
    ADD_FAILURE() << "no digit for " << setting.id;
    return {};
}

std::vector<std::string> DifferingIds(const ClientSettings &a, const ClientSettings &b)
{
    std::vector<std::string> ids;
    for (const Setting &setting : SettingCatalogue()) {
        if (SettingDiffers(a, b, setting))
            ids.push_back(setting.id);
    }
    return ids;
}

} // namespace

class SettingHistoryTest : public MainWindowFixture
{
protected:
    QUndoStack &steps() { return window().history().stack(); }

    bool Differs(const Setting &setting)
    {
        return SettingDiffers(window().settings(), window().RecordsAsSaved(), setting);
    }

    bool PageDiffers(SettingPage page)
    {
        for (const Setting &other : SettingCatalogue()) {
            if (window().bindings().PageOf(other.page) == window().bindings().PageOf(page)
                && Differs(other))
                return true;
        }
        return false;
    }

    // The item that selects the setting for its shared control: marked, or not; true when
    // the setting has no such item.
    bool ItemMarked(const Setting &setting)
    {
        const auto listMarked = [&](const char *name, int item) {
            return !find<QComboBox>(name)->itemIcon(item).isNull();
        };
        switch (setting.page) {
        case SettingPage::TextColors:
            return find<QWidget>(QStringLiteral("User_%1").arg(setting.item))->font().underline();
        case SettingPage::Windows:
            return setting.role == SettingRole::CheckBox
                   || listMarked("WindowComboBox", setting.item - 1);
        case SettingPage::Containers:
            return listMarked("ContainerComboBox", setting.item);
        case SettingPage::KeyMaps:
            return find<QTableWidget>("KeymapEditor")->item(setting.item, 0)->font().bold();
        default:
            return true;
        }
    }

    // The control's label (or text), the item selecting the setting and the page's tab are
    // marked exactly while the setting differs from the file.
    void ExpectMarksFollow(const Setting &setting, QWidget *control)
    {
        const bool differs = Differs(setting);
        if (QWidget *holder = window().marks().MarkHolder(control)) {
            EXPECT_EQ(holder->font().bold(), differs) << holder->objectName().toStdString();
            // The marked caption still shows whole.
            if (qobject_cast<QLabel *>(holder) || qobject_cast<QAbstractButton *>(holder)) {
                EXPECT_LE(holder->sizeHint().width(), holder->width())
                    << holder->objectName().toStdString();
            }
        }
        if (differs) {
            EXPECT_TRUE(ItemMarked(setting));
        }
        auto *pages = find<QTabWidget>("PageControl1");
        const int tab = pages->indexOf(window().bindings().PageOf(setting.page));
        EXPECT_EQ(!pages->tabIcon(tab).isNull(), PageDiffers(setting.page));
    }

    // One user edit of the control that edits setting, the way a player makes it.
    void EditWith(QWidget *control, const Setting &setting)
    {
        ShowPageOf(control);
        if (auto *field = qobject_cast<SpinEdit *>(control))
            TypeIntoField(field, OtherDigit(setting, Shown(control)));
        else if (auto *box = qobject_cast<QLineEdit *>(control))
            TypeInto(box, OtherDigit(setting, Shown(control)));
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            ClickButton(check);
        else if (auto *list = qobject_cast<QComboBox *>(control))
            ChooseListItem(list, list->itemText((list->currentIndex() + 1) % list->count()));
        else if (auto *grid = qobject_cast<QTableWidget *>(control))
            EditBinding(grid, Shown(grid) == "F9" ? "F8" : "F9");
        else if (auto *group = qobject_cast<QGroupBox *>(control))
            ClickUncheckedRadio(group);
        if (setting.page == SettingPage::TextColors)
            QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    }

    void TypeInto(QLineEdit *box, const QString &text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    void EditBinding(QTableWidget *grid, const QString &text)
    {
        // The row is current already: the keyboard opens its editor.
        window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
        grid->setFocus();
        QTest::keyClick(grid->viewport(), Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        TypeInto(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !grid->indexWidget(grid->currentIndex()); }));
    }

    void ClickUncheckedRadio(QGroupBox *group)
    {
        for (QRadioButton *item : group->findChildren<QRadioButton *>()) {
            if (!item->isChecked()) {
                ClickButton(item);
                return;
            }
        }
    }
};

// For every setting: with its item selected, one user edit of its control changes that setting
// alone and is reported once; undo gives back the records and what the control showed, and the
// file's state; redo makes the edit again. The changed marks follow each step.
TEST_F(SettingHistoryTest, EveryEditIsOneMarkedStepThatUndoAndRedoTakeBackAndMakeAgain)
{
    StartWithFile(TestData("realistic_client.ini"));
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        window().ShowSetting(setting);
        const QList<QWidget *> controls = window().bindings().ControlsOf(setting);
        ASSERT_FALSE(controls.empty());
        QWidget *control = controls.front();
        // The page keeps the sizes of most windows, which the file has keys for, read-only.
        if (!control->isEnabled())
            continue;
        const ClientSettings before = window().settings();
        const QString shownBefore = Shown(control);
        const int stepsBefore = steps().index();
        QSignalSpy edits(&window(), &TDMini1::settingsEdited);

        EditWith(control, setting);

        ASSERT_EQ(edits.size(), 1);
        EXPECT_EQ(edits.at(0).at(0).toStringList(),
                  QStringList{QString::fromStdString(setting.id)});
        EXPECT_EQ(DifferingIds(window().settings(), before), std::vector{setting.id});
        EXPECT_EQ(steps().index(), stepsBefore + 1);
        EXPECT_TRUE(window().hasUnsavedChanges());
        EXPECT_TRUE(Differs(setting));
        ExpectMarksFollow(setting, control);
        const ClientSettings after = window().settings();

        triggerAction("Undo1");
        EXPECT_EQ(DifferingIds(window().settings(), before), std::vector<std::string>{});
        EXPECT_EQ(window().settings(), before);
        EXPECT_EQ(Shown(control), shownBefore);
        // Selecting an item may already have stored a value its field clamped.
        EXPECT_EQ(window().hasUnsavedChanges(), before != window().RecordsAsSaved());
        ExpectMarksFollow(setting, control);

        triggerAction("Redo1");
        EXPECT_EQ(window().settings(), after);
        EXPECT_TRUE(window().hasUnsavedChanges());
        ExpectMarksFollow(setting, control);
        triggerAction("Undo1");
    }
}

TEST_F(SettingHistoryTest, EveryBoundControlDescribesTheSettingItEditsNow)
{
    StartWithFile(TestData("realistic_client.ini"));
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        window().ShowSetting(setting);
        const QString key = QString::fromStdString(setting.key);
        for (QWidget *control : window().bindings().ControlsOf(setting)) {
            QString hint = control->toolTip();
            if (auto *grid = qobject_cast<QTableWidget *>(control))
                hint = grid->item(setting.item, 1)->toolTip();
            EXPECT_TRUE(hint.contains(QString::fromStdString(setting.label)));
            EXPECT_TRUE(hint.contains("] " + key + "\n")) << hint.toStdString();
            if (!qobject_cast<QTableWidget *>(control)) {
                EXPECT_EQ(control->whatsThis(), control->toolTip());
            }
        }
    }
    // A hint the form gives stays first.
    EXPECT_TRUE(find<SpinEdit>("TransSpinEdit")->toolTip().startsWith("4 is Solid"));
}

TEST_F(SettingHistoryTest, TypedNumberAndWholeDragAreOneStepEach)
{
    StartWithFile(TestData("realistic_client.ini"));
    window().ShowSetting(*FindSetting("Windows1024.ChatWinX"));
    const ClientSettings loaded = window().settings();

    TypeIntoField(find<SpinEdit>("XSpinEdit"), "123");
    ASSERT_EQ(steps().count(), 1);
    EXPECT_EQ(find<QAction>("Undo1")->text(), "&Undo Chat window X at 1024x768");
    const ClientSettings typed = window().settings();

    // A preview the pointer can reach: inside the window and on top where it is pressed.
    auto *page = window().findChild<WindowPage *>();
    QWidget *grabbed = nullptr;
    QPoint at;
    for (int kind = 1; kind <= GameWindowCount && !grabbed; ++kind) {
        at = page->preview(kind)->mapTo(&window(), QPoint(4, 4));
        if (window().rect().contains(at + QPoint(30, 20))
            && window().childAt(at) == page->preview(kind))
            grabbed = page->preview(kind);
    }
    ASSERT_NE(grabbed, nullptr);
    QWindow *handle = window().windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, at);
    for (int move = 0; move < 12; ++move)
        QTest::mouseMove(handle, at += QPoint(2, 1));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
    ASSERT_NE(window().settings(), typed);
    ASSERT_EQ(steps().count(), 2);
    const QString move = "Move " + find<QComboBox>("WindowComboBox")->currentText() + " window";
    EXPECT_EQ(find<QAction>("Undo1")->text(), "&Undo " + move);

    triggerAction("Undo1");
    EXPECT_EQ(window().settings(), typed);
    // Ctrl+Z belongs to the settings history even in a field.
    QTest::keyClick(find<SpinEdit>("XSpinEdit"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window().settings(), loaded);
    EXPECT_FALSE(window().hasUnsavedChanges());
    QTest::keyClick(find<SpinEdit>("XSpinEdit"), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window().settings(), typed);
    EXPECT_EQ(find<QAction>("Redo1")->text(), "&Redo " + move);

    clickToolButton("ToolButton1");
    EXPECT_EQ(steps().count(), 0);
}

// The saved file with one key's value replaced; the keys used here occur once in the file.
std::string WithValue(std::string bytes, const std::string &key, const std::string &value)
{
    const std::size_t at = bytes.find("\r\n" + key + "=");
    if (at == std::string::npos) {
        ADD_FAILURE() << "no " << key;
        return bytes;
    }
    const std::size_t from = at + 3 + key.size();
    bytes.replace(from, bytes.find("\r\n", from) - from, value);
    return bytes;
}

TEST_F(SettingHistoryTest, ResetToDefaultChangesOnlyThatKeyOfTheFileAndUndoesAsOneStep)
{
    StartWithFile(TestData("realistic_client.ini"));
    clickToolButton("ToolButton2");
    const std::string saved = fileBytes();
    for (const char *id :
         {"Defaults.ChatFontSize", "WindowColors.ChatWinRed", "TextColors.User_5_Red"}) {
        SCOPED_TRACE(id);
        const Setting &setting = *FindSetting(id);
        ASSERT_NE(SettingText(window().settings(), setting), setting.defaultText);
        const int stepsBefore = steps().index();

        window().ResetToDefault(setting);
        EXPECT_EQ(steps().index(), stepsBefore + 1);
        clickToolButton("ToolButton2");
        EXPECT_EQ(fileBytes(), WithValue(saved, setting.key, setting.defaultText));

        triggerAction("Undo1");
        clickToolButton("ToolButton2");
        EXPECT_EQ(fileBytes(), saved);
    }
}

TEST_F(SettingHistoryTest, RevertToFileTakesBackAnEdit)
{
    StartWithFile(TestData("realistic_client.ini"));
    const Setting &setting = *FindSetting("Defaults.ChatFontSize");
    window().ShowSetting(setting);
    TypeIntoField(find<SpinEdit>("FontSizeSpinEdit"), "7");
    ASSERT_TRUE(window().hasUnsavedChanges());
    window().RevertToFile(setting);
    EXPECT_FALSE(window().hasUnsavedChanges());
    EXPECT_EQ(find<SpinEdit>("FontSizeSpinEdit")->value(),
              window().RecordsAsSaved().Defaults.ChatFontSize);
}

TEST_F(SettingHistoryTest, RestoreDefaultsOnThisPageAsksThenWritesOnlyThatPagesDefaults)
{
    StartWithFile(TestData("realistic_client.ini"));
    clickToolButton("ToolButton2");
    const std::string saved = fileBytes();
    window().ShowSetting(*FindSetting("Defaults.ChatFontSize")); // the Misc page

    confirmAnswer = false;
    triggerAction("RestorePageDefaults1");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(steps().count(), 0);

    confirmAnswer = true;
    triggerAction("RestorePageDefaults1");
    EXPECT_EQ(steps().count(), 1);
    ClientSettings before;
    LoadAllSections(iniPath(), before);
    clickToolButton("ToolButton2");
    ClientSettings written;
    LoadAllSections(iniPath(), written);
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        if (setting.page == SettingPage::Misc || setting.page == SettingPage::Containers)
            EXPECT_EQ(SettingText(written, setting), setting.defaultText);
        else
            EXPECT_FALSE(SettingDiffers(written, before, setting));
    }

    triggerAction("Undo1");
    clickToolButton("ToolButton2");
    EXPECT_EQ(fileBytes(), saved);
}

TEST_F(SettingHistoryTest, KeyMapCellMenuResetsItsRowToTheDefaultAsOneMarkedStep)
{
    StartWithFile(TestData("realistic_client.ini"));
    const Setting *setting = nullptr;
    for (const Setting &row : SettingCatalogue()) {
        if (row.page == SettingPage::KeyMaps
            && SettingText(window().settings(), row) != row.defaultText) {
            setting = &row;
            break;
        }
    }
    ASSERT_NE(setting, nullptr);
    const ClientSettings loaded = window().settings();
    window().ShowSetting(*FindSetting(KeyMapId(0)));
    auto *grid = find<QTableWidget>("KeymapEditor");
    grid->scrollToItem(grid->item(setting->item, 1));
    const QPoint cell = grid->visualItemRect(grid->item(setting->item, 1)).center();

    std::vector<bool> offered;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        auto *reset = menu->findChild<QAction *>("ResetToDefault1");
        auto *revert = menu->findChild<QAction *>("RevertToFile1");
        offered = {reset && reset->isEnabled(), revert && revert->isEnabled()};
        menu->setActiveAction(reset);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, cell, grid->viewport()->mapToGlobal(cell));
    QApplication::sendEvent(grid->viewport(), &click);

    EXPECT_EQ(offered, (std::vector<bool>{true, false}));
    EXPECT_EQ(SettingText(window().settings(), *setting), setting->defaultText);
    EXPECT_EQ(DifferingIds(window().settings(), loaded), std::vector{setting->id});
    EXPECT_EQ(steps().count(), 1);
    EXPECT_EQ(grid->currentRow(), setting->item);
    EXPECT_EQ(grid->item(setting->item, 1)->text(), QString::fromStdString(setting->defaultText));
    EXPECT_TRUE(grid->item(setting->item, 0)->font().bold());
    EXPECT_TRUE(find<QLabel>("CountsPanel")->text().startsWith("1 unsaved change"));
    clickToolButton("ToolButton2");
    ClientSettings written;
    LoadAllSections(iniPath(), written);
    EXPECT_EQ(DifferingIds(written, loaded), std::vector{setting->id});
    EXPECT_EQ(SettingText(written, *setting), setting->defaultText);
    EXPECT_FALSE(grid->item(setting->item, 0)->font().bold());

    triggerAction("Undo1");
    EXPECT_EQ(window().settings(), loaded);
    EXPECT_TRUE(grid->item(setting->item, 0)->font().bold());
}

// The window's one filter gives the reset menu to bound controls, a number field's own text box
// included, and leaves every other widget its own menu.
TEST_F(SettingHistoryTest, ContextMenuIsTheResetMenuOnBoundControlsOnly)
{
    StartWithFile(TestData("realistic_client.ini"));
    auto *fontSize = find<SpinEdit>("FontSizeSpinEdit");
    const std::vector<std::pair<QWidget *, bool>> cases{
        {fontSize->findChild<QLineEdit *>(), true},
        {find<QCheckBox>("ShowGrassCheckBox"), true},
        {find<QLineEdit>("KeymapFilter"), false},
    };
    for (const auto &[receiver, resets] : cases) {
        SCOPED_TRACE(receiver->objectName().toStdString());
        ShowPageOf(receiver);
        bool offered = false;
        QTimer::singleShot(0, [&] {
            QWidget *popup = QApplication::activePopupWidget();
            offered = popup && popup->findChild<QAction *>("ResetToDefault1");
            if (popup)
                popup->close();
        });
        const QPoint at = receiver->rect().center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, receiver->mapToGlobal(at));
        QApplication::sendEvent(receiver, &click);
        EXPECT_EQ(offered, resets);
    }
}
