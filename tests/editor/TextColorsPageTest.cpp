#include "TextColorsPage.h"

#include "ColorSwatch.h"
#include "MainWindowFixture.h"
#include "widgets/ClickLabel.h"
#include "widgets/ClickPanel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

namespace {

const std::string ClientFile = "[TextColors]\r\n"
                               "User_1_Red=0\r\n"
                               "User_1_Green=0\r\n"
                               "User_1_Blue=0\r\n"
                               "User_2_Red=0\r\n"
                               "User_2_Green=0\r\n"
                               "User_2_Blue=1\r\n"
                               "User_5_Red=5\r\n"
                               "User_5_Green=55\r\n"
                               "User_5_Blue=155\r\n"
                               "User_7_Red=200\r\n"
                               "User_7_Green=100\r\n"
                               "User_7_Blue=50\r\n"
                               "User_12_Red=12\r\n"
                               "User_12_Green=120\r\n"
                               "User_12_Blue=240\r\n"
                               "User_46_Red=46\r\n"
                               "User_46_Green=146\r\n"
                               "User_46_Blue=246\r\n"
                               "[WindowColors]\r\n"
                               "ChatWinRed=10\r\n"
                               "ChatWinGreen=20\r\n"
                               "ChatWinBlue=30\r\n";

constexpr RgbColor Black{0, 0, 0};
constexpr RgbColor NearlyBlack{0, 0, 1};
constexpr RgbColor Colour7{200, 100, 50};
constexpr ScreenColor White = 0xFFFFFF;

} // namespace

class TextColorsPageTest : public MainWindowFixture
{
protected:
    void SetUp() override { StartWithFile(ClientFile); }

    TextColorsPage *page() { return find<TextColorsPage>("TextTabSheet"); }
    QLineEdit *box(int i) { return find<QLineEdit>(QStringLiteral("Edit%1").arg(i)); }
    QScrollBar *slider(int i) { return find<QScrollBar>(QStringLiteral("ScrollBar%1").arg(i)); }
    ClickLabel *sample(int n) { return find<ClickLabel>(QStringLiteral("User_%1").arg(n)); }
    ScreenColor swatch() { return BackgroundOf(find<ClickPanel>("Panel4")); }
    RgbColor stored(int n) { return window().settings().UserColors[n]; }

    // A point on the words of a caption; the rest of its box takes no clicks.
    static QPoint OnWords(const QWidget *label) { return {4, label->height() / 2}; }
    void click(int n) { QTest::mouseClick(sample(n), Qt::LeftButton, {}, OnWords(sample(n))); }
    void clickButton(const char *name)
    {
        QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton);
    }

    // Through the window, as a real mouse delivers it: the click comes before the double-click.
    void doubleClick(QWidget *widget, std::optional<QPoint> at = std::nullopt)
    {
        find<QScrollArea>("ScrollBox1")->ensureWidgetVisible(widget);
        const QPoint where = widget->mapTo(&window(), at.value_or(widget->rect().center()));
        QTest::mouseDClick(window().windowHandle(), Qt::LeftButton, {}, where);
    }

    // Replaces a box's text the way typing over a selection does, one key at a time.
    void typeInto(QLineEdit *target, const QString &text)
    {
        target->setFocus();
        target->selectAll();
        if (text.isEmpty())
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClicks(target, text);
    }

    // Replaces a box's text in one step, as pasting over a selection does.
    void pasteInto(QLineEdit *target, const QString &text)
    {
        target->selectAll();
        target->insert(text);
    }

    std::vector<QString> boxTexts() { return {box(1)->text(), box(2)->text(), box(3)->text()}; }
    std::vector<int> sliderValues()
    {
        return {slider(1)->value(), slider(2)->value(), slider(3)->value()};
    }

    void expectEditorsShow(RgbColor color)
    {
        EXPECT_EQ(boxTexts(),
                  (std::vector<QString>{QString::number(color.red),
                                        QString::number(color.green),
                                        QString::number(color.blue)}));
        EXPECT_EQ(sliderValues(), (std::vector<int>{color.red, color.green, color.blue}));
        EXPECT_EQ(page()->CurrentTextColor, color);
        EXPECT_EQ(swatch(), RgbToScreenColor(color));
    }

    void chooseBackground(const QString &item)
    {
        auto *selector = find<QComboBox>("TextSampleBckGrndComboBox");
        selector->showPopup();
        QAbstractItemView *list = selector->view();
        const QModelIndex index = list->model()->index(selector->findText(item), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
        EXPECT_EQ(selector->currentText(), item);
    }

    ScreenColor sampleBackground() { return BackgroundOf(find<QWidget>("Panel2")); }
};

TEST_F(TextColorsPageTest, StartUpShowsColourOneAndEverySampleInItsOwnColour)
{
    expectEditorsShow(Black);
    EXPECT_EQ(TextOf(sample(7)), RgbToScreenColor(Colour7));
    EXPECT_EQ(TextOf(sample(1)), RgbToScreenColor(Black));
    EXPECT_EQ(sampleBackground(), 0x808080u);
    EXPECT_EQ(find<QComboBox>("TextSampleBckGrndComboBox")->currentText(), "Default");
    EXPECT_EQ(sample(18)->text(), "User_18: Default text and stuff you type");
}

TEST_F(TextColorsPageTest, ClickingALabelSelectsItsColourAndDropsAnUnacceptedEdit)
{
    click(5);
    typeInto(box(1), "99");
    EXPECT_EQ(page()->CurrentTextColor.red, 99);
    clickButton("Button2"); // leaves a message in panel 1 that the next selection clears

    // The edit of colour 5 is lost; a label of the scrolled-away fourth column works alike.
    for (const int n : {7, 46}) {
        SCOPED_TRACE(n);
        typeInto(box(2), "1");
        click(n);

        EXPECT_EQ(statusText(0), QStringLiteral("Editing User_%1").arg(n));
        EXPECT_EQ(statusText(1), "");
        EXPECT_EQ(page()->SelectedUserColor, n);
        expectEditorsShow(stored(n));
    }
    EXPECT_EQ(stored(5), (RgbColor{5, 55, 155}));
    EXPECT_EQ(stored(7), Colour7);

    // Past the end of the words the box takes no click.
    QTest::mouseClick(sample(1), Qt::LeftButton, {}, {sample(1)->width() - 2, 4});
    EXPECT_EQ(page()->SelectedUserColor, 46);
}

TEST_F(TextColorsPageTest, SlidersMoveTheirBoxAndTheSwatchButNotTheSample)
{
    click(7);

    QTest::keyClick(slider(1), Qt::Key_Right);
    QTest::keyClick(slider(2), Qt::Key_Left);
    QTest::keyClick(slider(3), Qt::Key_End);

    const RgbColor edited{201, 99, 255};
    expectEditorsShow(edited);
    EXPECT_EQ(stored(7), Colour7);
    EXPECT_EQ(TextOf(sample(7)), RgbToScreenColor(Colour7));
}

TEST_F(TextColorsPageTest, TypingMovesTheSliderAndClampsWhatTheSliderCannotShow)
{
    click(7);

    typeInto(box(1), "300"); // passes 3 and 30 on the way
    typeInto(box(2), "");
    typeInto(box(3), "7");

    expectEditorsShow(RgbColor{255, 0, 7});
}

struct BoxCase
{
    const char *text; // pasted into the green box while its slider stands at 100
    const char *shown;
    int value;
};

class TextColorsBoxTest : public TextColorsPageTest, public ::testing::WithParamInterface<BoxCase>
{};

TEST_P(TextColorsBoxTest, PastedTextSettlesIntoBoxSliderAndColour)
{
    click(7);

    pasteInto(box(2), GetParam().text);

    EXPECT_EQ(box(2)->text(), GetParam().shown);
    EXPECT_EQ(slider(2)->value(), GetParam().value);
    EXPECT_EQ(page()->CurrentTextColor.green, GetParam().value);
    EXPECT_EQ(swatch(), RgbToScreenColor({200, static_cast<std::uint8_t>(GetParam().value), 50}));
}

INSTANTIATE_TEST_SUITE_P(Texts,
                         TextColorsBoxTest,
                         ::testing::Values(BoxCase{"$FF", "255", 255},
                                           BoxCase{" 12", "12", 12},
                                           BoxCase{"999", "255", 255},
                                           BoxCase{"-5", "0", 0},
                                           BoxCase{"-", "0", 0},
                                           BoxCase{"abc", "0", 0},
                                           BoxCase{"", "0", 0}));

TEST_F(TextColorsPageTest, ANumberBeyondTheEndTheSliderIsAtIsShownClamped)
{
    // The slider does not move, so nothing else would rewrite the box.
    click(7);
    typeInto(box(3), "255");
    pasteInto(box(1), "0");

    pasteInto(box(3), "300");
    pasteInto(box(1), "-9");

    expectEditorsShow(RgbColor{0, 100, 255});
}

TEST_F(TextColorsPageTest, AcceptStoresTheWorkingCopyAndRepaintsOnlyThatSample)
{
    click(7);
    typeInto(box(1), "1");

    clickButton("Button1");

    EXPECT_EQ(stored(7), (RgbColor{1, 100, 50}));
    EXPECT_EQ(statusText(0), "Editing User_7");
    EXPECT_EQ(statusText(1), "Keeping changes to User_7");
    EXPECT_EQ(TextOf(sample(7)), RgbToScreenColor({1, 100, 50}));
    EXPECT_EQ(TextOf(sample(5)), RgbToScreenColor(stored(5)));

    // The table already holds the accepted colour, so Cancel changes nothing.
    clickButton("Button2");
    EXPECT_EQ(statusText(1), "Discarding changes to User_7");
    expectEditorsShow(RgbColor{1, 100, 50});
    EXPECT_EQ(stored(7), (RgbColor{1, 100, 50}));
}

TEST_F(TextColorsPageTest, CancelBringsEveryViewBackToTheTable)
{
    click(12);
    typeInto(box(1), "0");
    QTest::keyClick(slider(3), Qt::Key_Home);

    clickButton("Button2");

    EXPECT_EQ(statusText(1), "Discarding changes to User_12");
    expectEditorsShow(RgbColor{12, 120, 240});
    EXPECT_EQ(stored(12), (RgbColor{12, 120, 240}));
}

TEST_F(TextColorsPageTest, ConfirmingTheDialogFromALabelStoresIntoThatLabel)
{
    colorAnswers.push_back(RgbColor{1, 2, 3});

    doubleClick(sample(12), OnWords(sample(12)));

    EXPECT_EQ(colorRequests, (std::vector<RgbColor>{{12, 120, 240}}));
    EXPECT_EQ(statusText(0), "Editing User_12");
    EXPECT_EQ(statusText(1), "Keeping changes to User_12");
    EXPECT_EQ(stored(12), (RgbColor{1, 2, 3}));
    EXPECT_EQ(TextOf(sample(12)), RgbToScreenColor({1, 2, 3}));
    expectEditorsShow(RgbColor{1, 2, 3});
}

TEST_F(TextColorsPageTest, CancellingTheDialogFromTheSwatchChangesNothing)
{
    click(7);
    typeInto(box(2), "77");
    colorAnswers.push_back(std::nullopt);

    doubleClick(find<ClickPanel>("Panel4"));

    // The dialog starts at the working copy, not at the table's entry.
    EXPECT_EQ(colorRequests, (std::vector<RgbColor>{{200, 77, 50}}));
    EXPECT_EQ(statusText(1), "");
    expectEditorsShow(RgbColor{200, 77, 50});
    EXPECT_EQ(stored(7), Colour7);
}

struct BackgroundCase
{
    const char *item;
    ScreenColor background;
    bool dark;
};

class TextColorsBackgroundTest : public TextColorsPageTest,
                                 public ::testing::WithParamInterface<BackgroundCase>
{};

TEST_P(TextColorsBackgroundTest, BlackTextTurnsWhiteOnlyOnDarkBackgrounds)
{
    // Leave "Default" first, so choosing it again has something to undo.
    chooseBackground("Black");

    chooseBackground(GetParam().item);

    EXPECT_EQ(sampleBackground(), GetParam().background);
    EXPECT_EQ(page()->DarkSampleBackground, GetParam().dark);
    EXPECT_EQ(TextOf(sample(1)), GetParam().dark ? White : RgbToScreenColor(Black));
    EXPECT_EQ(TextOf(sample(2)), RgbToScreenColor(NearlyBlack));
    EXPECT_EQ(TextOf(sample(7)), RgbToScreenColor(Colour7));
}

INSTANTIATE_TEST_SUITE_P(Items,
                         TextColorsBackgroundTest,
                         ::testing::Values(BackgroundCase{"Default", 0x808080, false},
                                           BackgroundCase{"Parchment", 0x8FAFBF, false},
                                           BackgroundCase{"Black", 0x000000, true},
                                           // The Chat window's colour, 10, 20, 30.
                                           BackgroundCase{"[Custom]", 0x1E140A, true}));

TEST_F(TextColorsPageTest, CustomBackgroundTakesTheChatColourOnlyWhenChosen)
{
    chooseBackground("[Custom]");
    window().settings().WindowColors[static_cast<int>(GameWindowKind::Chat)].color = {1, 2, 3};
    EXPECT_EQ(sampleBackground(), 0x1E140Au);

    chooseBackground("[Custom]");
    EXPECT_EQ(sampleBackground(), 0x030201u);
}

TEST_F(TextColorsPageTest, ReloadKeepsTheBackgroundAndDropsTheEdit)
{
    chooseBackground("Black");
    click(7);
    typeInto(box(1), "9");

    clickToolButton("ToolButton1");

    EXPECT_EQ(find<QComboBox>("TextSampleBckGrndComboBox")->currentText(), "Black");
    EXPECT_EQ(sampleBackground(), 0x000000u);
    EXPECT_EQ(TextOf(sample(1)), White);
    EXPECT_EQ(page()->SelectedUserColor, 1);
    expectEditorsShow(Black);
}

TEST_F(TextColorsPageTest, OnlyAnAcceptedEditIsSaved)
{
    clickToolButton("ToolButton2");
    const std::string unedited = fileBytes();
    click(7);
    typeInto(box(1), "9");

    clickToolButton("ToolButton2");
    EXPECT_EQ(fileBytes(), unedited);

    clickButton("Button1");
    clickToolButton("ToolButton2");
    EXPECT_NE(fileBytes().find("User_7_Red=9\r\n"), std::string::npos);
}

TEST_F(TextColorsPageTest, CaptionsFitTheirColumnsAndTheSelectorStaysOverTheScrolledArea)
{
    // Captions are measured in the program's font; a wider one would run into the next column.
    constexpr std::array<int, 5> columnLefts{8, 184, 395, 587, 800};
    for (int n = 1; n <= 51; ++n) {
        const auto column = static_cast<std::size_t>((n - 1) / 15);
        EXPECT_EQ(sample(n)->pos(), QPoint(columnLefts[column], 8 + 16 * ((n - 1) % 15))) << n;
        const int captionRight
            = sample(n)->x() + sample(n)->fontMetrics().horizontalAdvance(sample(n)->text());
        EXPECT_LE(captionRight,
                  std::min(sample(n)->x() + sample(n)->width(), columnLefts[column + 1]))
            << n;
    }

    auto *selector = find<QComboBox>("TextSampleBckGrndComboBox");
    const QPoint before = selector->mapTo(&window(), QPoint());
    find<QScrollArea>("ScrollBox1")->horizontalScrollBar()->setValue(800);

    EXPECT_EQ(selector->mapTo(&window(), QPoint()), before);
    EXPECT_EQ(selector->toolTip(),
              "Default = VEzaz normal display\n"
              "Parchment = DM normal chat window\n"
              "Black = DM normal fullscreen chat window\n"
              "[Custom] = User custom color for fullscreen chat window");
    // The fourth column is now in view.
    QWidget *viewport = find<QScrollArea>("ScrollBox1")->viewport();
    const QRect caption51(sample(51)->mapTo(viewport, QPoint()), sample(51)->size());
    EXPECT_TRUE(viewport->rect().contains(caption51)) << caption51.x() << "," << caption51.y();
}

TEST_F(TextColorsPageTest, TheKeyboardReachesAndChoosesTheLabelsWithTheFocusInView)
{
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    // Tab stops at the selected label only.
    box(3)->setFocus(Qt::TabFocusReason);
    QList<QWidget *> reached;
    for (int step = 0; step < 40 && !reached.contains(QApplication::focusWidget()); ++step) {
        reached << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_TRUE(reached.contains(sample(1)));
    EXPECT_FALSE(reached.contains(sample(2)));

    sample(1)->setFocus(Qt::TabFocusReason);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
        QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(QApplication::focusWidget(), sample(18));
    auto *ring = page()->findChild<QWidget *>("FocusRing");
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(sample(18)->captionRect().translated(sample(18)->pos())));
    EXPECT_EQ(page()->SelectedUserColor, 1);

    QTest::keyClick(sample(18), Qt::Key_Space);
    EXPECT_EQ(page()->SelectedUserColor, 18);
    EXPECT_EQ(statusText(0), "Editing User_18");
    QTest::keyClick(sample(18), Qt::Key_Up);
    QTest::keyClick(sample(17), Qt::Key_Return);
    EXPECT_EQ(page()->SelectedUserColor, 17);
    expectEditorsShow(stored(17));
    EXPECT_TRUE(sample(17)->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(sample(1)->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(sample(17)->accessibleName(), sample(17)->text());

    // A slider shows it has the focus too; a click on it does not need to.
    slider(2)->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(slider(2)->geometry()));
    QTest::mouseClick(box(1), Qt::LeftButton);
    EXPECT_FALSE(ring->isVisible());
}
