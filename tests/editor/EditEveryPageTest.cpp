#include "MainWindowFixture.h"
#include "UserActions.h"
#include "widgets/SpinEdit.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

std::string Lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string &text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

std::vector<std::string> Lines(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    lines.push_back(bytes.substr(start));
    return lines;
}

std::string Joined(const std::vector<std::string> &lines)
{
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i)
        bytes += (i == 0 ? "" : "\r\n") + lines[i];
    return bytes;
}

// The file with the value of one key replaced in place, the blanks around it kept; section and
// key are found as the reader finds them, in any letter case and with blanks around them.
std::string WithValue(const std::string &bytes,
                      const std::string &section,
                      const std::string &key,
                      const std::string &value)
{
    std::vector<std::string> lines = Lines(bytes);
    bool inSection = false;
    for (std::string &line : lines) {
        const std::string trimmed = Trimmed(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            inSection = Lower(Trimmed(trimmed.substr(1, trimmed.find(']') - 1))) == Lower(section);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos
            || Lower(Trimmed(line.substr(0, equals))) != Lower(key))
            continue;
        const std::size_t from = line.find_first_not_of(" \t", equals + 1);
        line.replace(from, line.find_last_not_of(" \t") + 1 - from, value);
        return Joined(lines);
    }
    ADD_FAILURE() << "no key " << key << " in [" << section << "]";
    return bytes;
}

// Each line that differs, numbered from 1, so a failure shows only what changed.
std::vector<std::string> DifferingLines(const std::string &actual, const std::string &expected)
{
    const std::vector<std::string> got = Lines(actual);
    const std::vector<std::string> want = Lines(expected);
    std::vector<std::string> differences;
    for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
        const std::string a = i < got.size() ? got[i] : "<none>";
        const std::string e = i < want.size() ? want[i] : "<none>";
        if (a != e)
            differences.push_back(std::to_string(i + 1) + ": \"" + a + "\" instead of \"" + e
                                  + "\"");
    }
    return differences;
}

} // namespace

class EditEveryPageTest : public MainWindowFixture
{
protected:
    void EditTextColor()
    {
        auto *label = find<QLabel>("User_5");
        ShowPageOf(label);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
        auto *red = find<QLineEdit>("Edit1");
        QTest::mouseClick(red, Qt::LeftButton);
        QTest::keyClick(red, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(red, "77");
        QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    }

    void EditKeyBinding()
    {
        auto *grid = find<QTableWidget>("KeymapEditor");
        ShowPageOf(grid);
        QTableWidgetItem *binding = grid->item(0, 1);
        QTest::mouseClick(
            grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(binding).center());
        QTest::keyClick(grid->viewport(), Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "F9");
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !grid->indexWidget(grid->currentIndex()); }));
    }
};

TEST_F(EditEveryPageTest, SaveChangesExactlyTheEditedKeysOfEveryPage)
{
    const std::string original = TestData("realistic_client.ini");
    ASSERT_FALSE(original.empty());
    StartWithFile(original);

    EditTextColor();
    TypeIntoField(find<SpinEdit>("XSpinEdit"), "123"); // Player at 1024x768, the file's mode
    ClickButton(find<QCheckBox>("VorranHumanMaleCheckBox"));
    ChooseListItem(find<QComboBox>("VideoModeComboBox"), "800x600");
    EditKeyBinding();
    TypeIntoField(find<SpinEdit>("XContainerSpinEdit"), "321");
    clickToolButton("ToolButton2");

    std::string expected = original;
    expected = WithValue(expected, "TextColors", "User_5_Red", "77");
    expected = WithValue(expected, "Windows1024", "PlayerWinX", "123");
    expected = WithValue(expected, "Defaults", "UseVorranHumanMale", "TRUE");
    expected = WithValue(expected, "Defaults", "VideoMode", "1");
    expected = WithValue(expected, "KeyMaps", "KEYMAP_AUTORUN", "F9");
    expected = WithValue(expected, "BagPositions", "Bag_0_X", "321");
    ASSERT_EQ(DifferingLines(expected, original).size(), 6u);
    EXPECT_EQ(DifferingLines(fileBytes(), expected), std::vector<std::string>());
    EXPECT_TRUE(fileBytes() == expected); // line breaks included
}
