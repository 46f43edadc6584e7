#include "WindowPage.h"

#include "ColorSwatch.h"
#include "MainWindowFixture.h"
#include "ScreenScale.h"
#include "WindowPreview.h"
#include "widgets/ClickLabel.h"
#include "widgets/ClickPanel.h"
#include "widgets/SpinEdit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr ScreenColor Olive = 0x008080;

// Builds a client file from sections of "Key=Value" lines.
std::string Section(const std::string &name, const std::vector<std::string> &lines)
{
    std::string text = "[" + name + "]\r\n";
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

std::string VideoMode(int mode)
{
    return Section("Defaults", {"VideoMode=" + std::to_string(mode)});
}

std::vector<std::string> Place(const std::string &prefix, int x, int y, int w, int h)
{
    return {prefix + "X=" + std::to_string(x),
            prefix + "Y=" + std::to_string(y),
            prefix + "W=" + std::to_string(w),
            prefix + "H=" + std::to_string(h)};
}

std::string SectionOf(int resolution)
{
    return std::string(Resolution(resolution).section);
}

// A game-like screen at 1024x768: what the page looks like to a player.
std::string RealisticFile()
{
    std::vector<std::string> layout;
    for (const auto &place : {Place("PlayerWin", 4, 4, 200, 90),
                              Place("PartyWin", 4, 100, 200, 220),
                              Place("TargetWin", 412, 4, 200, 60),
                              Place("HotButtonWin", 870, 420, 150, 120),
                              Place("SpellsWin", 960, 100, 60, 300),
                              Place("ChatWin", 4, 548, 520, 216),
                              Place("AffectWin", 820, 4, 200, 90),
                              Place("MainMenuWin", 600, 700, 300, 64),
                              Place("ItemDataWin", 300, 200, 300, 200)})
        layout.insert(layout.end(), place.begin(), place.end());
    return VideoMode(2) + Section("Windows1024", layout)
           + Section("WindowColors",
                     {"PlayerWinRed=40",     "PlayerWinGreen=40",  "PlayerWinBlue=110",
                      "PlayerWinTrans=3",    "PartyWinRed=40",     "PartyWinGreen=90",
                      "PartyWinBlue=50",     "TargetWinRed=120",   "TargetWinGreen=30",
                      "TargetWinBlue=30",    "HotButtonWinRed=70", "HotButtonWinGreen=70",
                      "HotButtonWinBlue=70", "SpellsWinRed=90",    "SpellsWinGreen=50",
                      "SpellsWinBlue=120",   "ChatWinRed=20",      "ChatWinGreen=20",
                      "ChatWinBlue=30",      "AffectWinRed=110",   "AffectWinGreen=95",
                      "AffectWinBlue=35",    "MainMenuWinRed=30",  "MainMenuWinGreen=70",
                      "MainMenuWinBlue=110"});
}

} // namespace

class WindowPageTest : public MainWindowFixture
{
protected:
    void StartOnPage(const std::string &bytes)
    {
        StartWithFile(bytes);
        find<QTabWidget>("PageControl1")->setCurrentWidget(page());
        QApplication::setActiveWindow(&window());
    }

    WindowPage *page() { return find<WindowPage>("WindowTabSheet"); }
    WindowPreview *preview(int kind) { return page()->preview(kind); }
    QWidget *panel() { return find<QWidget>("WindowPanel"); }
    SpinEdit *field(const char *name) { return find<SpinEdit>(name); }
    QString fieldText(const char *name) { return field(name)->findChild<QLineEdit *>()->text(); }
    WindowLayoutEntry &entry(int resolution, int kind)
    {
        return window().settings().WindowLayouts[resolution][kind];
    }
    WindowColorEntry &colors(int kind) { return window().settings().WindowColors[kind]; }

    // Where the pointer is, in the window's pixels, when it is at point of the preview area.
    QPoint inWindow(QPoint point) { return panel()->mapTo(&window(), point); }

    // Presses the left button at point of the preview area, moves to each of the points in
    // turn with the button held, then releases: the way a real mouse reaches the previews.
    void drag(QPoint from, const std::vector<QPoint> &to)
    {
        QWindow *handle = window().windowHandle();
        QTest::mousePress(handle, Qt::LeftButton, {}, inWindow(from));
        for (const QPoint &point : to)
            QTest::mouseMove(handle, inWindow(point));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, inWindow(to.empty() ? from : to.back()));
    }

    void pressPreview(int kind)
    {
        const QPoint point = preview(kind)->geometry().center();
        QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {}, inWindow(point));
    }

    // Press, release, press, double-click, release, as the window system delivers them.
    void doubleClick(QWidget *widget)
    {
        QTest::mouseDClick(window().windowHandle(),
                           Qt::LeftButton,
                           {},
                           widget->mapTo(&window(), widget->rect().center()));
    }

    // Chooses a window from the list with the keyboard, as a user would.
    void chooseFromList(int kind)
    {
        auto *list = find<QComboBox>("WindowComboBox");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int step = 1; step < kind; ++step)
            QTest::keyClick(list, Qt::Key_Down);
    }

    void typeOver(QWidget *widget, const QString &text)
    {
        widget->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }));
        QLineEdit *edit = qobject_cast<QLineEdit *>(widget);
        if (!edit)
            edit = widget->findChild<QLineEdit *>();
        edit->selectAll();
        QTest::keyClicks(widget, text);
    }

    void leave(QWidget *widget)
    {
        find<QComboBox>("WindowComboBox")->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !widget->hasFocus(); }));
    }

    void clickCheckBox(const char *name)
    {
        auto *box = find<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

    QRect geometryOf(int kind) { return preview(kind)->geometry(); }
};

TEST(ScreenScaleTest, TruncatesTowardZeroWithExactThreePointTwo)
{
    const ScreenScale scale1024(1024);
    EXPECT_EQ(scale1024.toPreview(100), 31);
    // Exact fractions: a multiple of 16 has a whole quotient at 3.2.
    EXPECT_EQ(scale1024.toPreview(16), 5);
    EXPECT_EQ(scale1024.toGame(5), 16);
    EXPECT_EQ(scale1024.toPreview(-17), -5); // toward zero, not down to -6
    const ScreenScale scale800(800);
    EXPECT_EQ(scale800.toGame(3), 7);
    EXPECT_EQ(scale800.toGame(-480), -1200);
    // The file may hold any 32-bit value; nothing overflows on the way.
    EXPECT_EQ(ScreenScale(640).toPreview(INT32_MIN), INT32_MIN / 2);
    EXPECT_EQ(ScreenScale(1600).toGame(1 << 30), INT32_MAX);
}

TEST_F(WindowPageTest, StartsWithPlayerSelectedHighlightedAndInFront)
{
    StartOnPage(RealisticFile());

    EXPECT_EQ(page()->SelectedGameWindow, 1);
    EXPECT_EQ(page()->CurrentResolution, 3);
    auto *list = find<QComboBox>("WindowComboBox");
    ASSERT_EQ(list->count(), GameWindowCount);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(list->itemText(6), "Affect");
    for (int kind = 1; kind <= GameWindowCount; ++kind) {
        EXPECT_EQ(preview(kind)->objectName(), QStringLiteral("Win%1").arg(kind));
        EXPECT_EQ(preview(kind)->text().toStdString(), GameWindow(kind).previewCaption);
        EXPECT_EQ(preview(kind)->isHidden(), kind >= 9) << kind;
    }
    EXPECT_EQ(BackgroundOf(preview(1)), Olive);
    EXPECT_EQ(TextOf(preview(1)), 0u);
    EXPECT_EQ(panel()->children().last(), preview(1));
    // Everyone else wears its own colour with the inverted caption.
    EXPECT_EQ(BackgroundOf(preview(3)), RgbToScreenColor({120, 30, 30}));
    EXPECT_EQ(TextOf(preview(3)), InvertedScreenColor({120, 30, 30}));
    EXPECT_EQ(geometryOf(6), QRect(1, 171, 162, 67)); // Chat 4, 548, 520 x 216 at 3.2

    EXPECT_EQ(fieldText("XSpinEdit"), "4");
    EXPECT_EQ(fieldText("WSpinEdit"), "200");
    EXPECT_FALSE(field("WSpinEdit")->isEnabled());
    EXPECT_FALSE(field("HSpinEdit")->isEnabled());
    EXPECT_EQ(fieldText("TransSpinEdit"), "3");
    EXPECT_EQ(find<QLineEdit>("Edit6")->text(), "110");
    EXPECT_EQ(find<QScrollBar>("ScrollBar6")->value(), 110);
    EXPECT_EQ(BackgroundOf(find<ClickPanel>("WinColorPanel")), RgbToScreenColor({40, 40, 110}));
    EXPECT_TRUE(find<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_EQ(page()->lockWinCheckBox(), find<QCheckBox>("LockWinCheckBox"));
    EXPECT_EQ(page()->lockWinCheckBox()->property("tag").toInt(), 5);
    // Nothing reaches past the page, and no caption is cut short.
    for (QWidget *child : page()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        const std::string name = child->objectName().toStdString();
        EXPECT_TRUE(page()->rect().contains(child->geometry())) << name;
        if (qobject_cast<QLabel *>(child) || qobject_cast<QCheckBox *>(child)) {
            EXPECT_LE(child->sizeHint().width(), child->width()) << name;
        }
    }

    // VEZAZ_SCREENSHOT=<file.png> keeps a picture of the page for the documentation.
    const QString screenshot = qEnvironmentVariable("VEZAZ_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        EXPECT_TRUE(window().grab().save(screenshot));
    }
}

struct GeometryRow
{
    int resolution;
    WindowLayoutEntry stored;
    QRect preview;
};

class PreviewGeometryTest : public WindowPageTest, public ::testing::WithParamInterface<GeometryRow>
{};

// Previews are placed at the stored values over the scale, truncated toward zero.
TEST_P(PreviewGeometryTest, PreviewSitsWhereTheGameWindowIs)
{
    const GeometryRow row = GetParam();
    const WindowLayoutEntry &e = row.stored;
    StartOnPage(VideoMode(row.resolution - 1)
                + Section(SectionOf(row.resolution), Place("PartyWin", e.x, e.y, e.w, e.h)));

    EXPECT_EQ(geometryOf(2), row.preview);
}

INSTANTIATE_TEST_SUITE_P(
    EveryResolution,
    PreviewGeometryTest,
    ::testing::Values(
        GeometryRow{1, {.y = 50, .x = 100, .h = 100, .w = 200}, QRect(50, 25, 100, 50)},
        GeometryRow{2, {.y = 300, .x = 799, .h = 125, .w = 250}, QRect(319, 120, 100, 50)},
        GeometryRow{3, {.y = 16, .x = 100, .h = 48, .w = 320}, QRect(31, 5, 100, 15)},
        GeometryRow{4, {.y = 959, .x = 1279, .h = 3, .w = 4}, QRect(319, 239, 1, 0)},
        // Toward zero: -22 / 5 = -4.4 gives -4.
        GeometryRow{5, {.y = 1199, .x = -22, .h = 1200, .w = 1600}, QRect(-4, 239, 320, 240)}));

TEST_F(WindowPageTest, PageActivationLaysThePreviewsOutAgain)
{
    StartOnPage(VideoMode(0));
    find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    entry(1, 2) = {.y = 60, .x = 300, .h = 40, .w = 80};

    find<QTabWidget>("PageControl1")->setCurrentWidget(page());

    EXPECT_EQ(geometryOf(2), QRect(150, 30, 40, 20));
}

struct DragRow
{
    int resolution;
    QPoint storedAtTopLeft;
    QPoint shownAtTopLeft; // where the stored value then lays the preview out
    QPoint storedAtBottomRight;
};

class PreviewDragTest : public WindowPageTest, public ::testing::WithParamInterface<DragRow>
{
protected:
    // Party as a 100 x 50 preview at 100, 80 at this row's resolution.
    void StartWithParty()
    {
        const int width = Resolution(GetParam().resolution).width;
        const auto game = [width](int preview) { return preview * width / 320; };
        StartOnPage(VideoMode(GetParam().resolution - 1)
                    + Section(SectionOf(GetParam().resolution),
                              Place("PartyWin", game(100), game(80), game(100), game(50))));
        ASSERT_EQ(geometryOf(2), QRect(100, 80, 100, 50));
    }
};

TEST_P(PreviewDragTest, DragStopsAtTheTopLeftCorner)
{
    StartWithParty();
    const int resolution = GetParam().resolution;

    drag({110, 90}, {{60, 60}, {-40, -25}});

    EXPECT_EQ(page()->SelectedGameWindow, 2);
    EXPECT_EQ(entry(resolution, 2).x, GetParam().storedAtTopLeft.x());
    EXPECT_EQ(entry(resolution, 2).y, GetParam().storedAtTopLeft.y());
    EXPECT_EQ(geometryOf(2).topLeft(), GetParam().shownAtTopLeft);
    EXPECT_EQ(geometryOf(2).size(), QSize(100, 50));
    EXPECT_EQ(fieldText("XSpinEdit").toInt(), GetParam().storedAtTopLeft.x());
}

TEST_P(PreviewDragTest, DragStopsWithTheRightAndBottomEdgesOnTheArea)
{
    StartWithParty();
    const int resolution = GetParam().resolution;

    // The pointer leaves the preview area; the preview keeps following it.
    drag({110, 90}, {{200, 150}, {500, 350}});

    EXPECT_EQ(entry(resolution, 2).x, GetParam().storedAtBottomRight.x());
    EXPECT_EQ(entry(resolution, 2).y, GetParam().storedAtBottomRight.y());
    EXPECT_EQ(geometryOf(2), QRect(220, 190, 100, 50));
    EXPECT_EQ(fieldText("YSpinEdit").toInt(), GetParam().storedAtBottomRight.y());
}

INSTANTIATE_TEST_SUITE_P(EveryResolution,
                         PreviewDragTest,
                         ::testing::Values(DragRow{1, {2, 2}, {1, 1}, {440, 380}},
                                           DragRow{2, {2, 2}, {0, 0}, {550, 475}},
                                           DragRow{3, {3, 3}, {0, 0}, {704, 608}},
                                           DragRow{4, {4, 4}, {1, 1}, {880, 760}},
                                           DragRow{5, {5, 5}, {1, 1}, {1100, 950}}));

TEST_F(WindowPageTest, DragStoresTheTruncatedProductAndMovesOnlyWithTheLeftButton)
{
    StartOnPage(VideoMode(1) + Section("Windows800", Place("PartyWin", 250, 200, 250, 125)));
    ASSERT_EQ(geometryOf(2), QRect(100, 80, 100, 50));

    // Anchor at 10, 10 inside the preview; the preview's left goes to 3.
    drag({110, 90}, {{13, 90}});
    EXPECT_EQ(entry(2, 2).x, 7);        // 3 x 2.5 = 7.5
    EXPECT_EQ(geometryOf(2).left(), 2); // 7 / 2.5 = 2.8
    EXPECT_EQ(entry(2, 2).y, 200);      // top stayed 80

    // The right button selects but never drags.
    chooseFromList(1);
    QWindow *handle = window().windowHandle();
    QTest::mousePress(handle, Qt::RightButton, {}, inWindow(geometryOf(2).center()));
    EXPECT_EQ(page()->SelectedGameWindow, 2);
    QTest::mouseMove(handle, inWindow({200, 200}));
    QTest::mouseRelease(handle, Qt::RightButton, {}, inWindow({200, 200}));
    EXPECT_EQ(page()->SelectedGameWindow, 2);
    EXPECT_EQ(entry(2, 2).x, 7);
    EXPECT_EQ(geometryOf(2).left(), 2);
}

TEST_F(WindowPageTest, ExactScaleAt1024KeepsWholeQuotients)
{
    StartOnPage(VideoMode(2) + Section("Windows1024", Place("PartyWin", 320, 320, 320, 160)));
    ASSERT_EQ(geometryOf(2), QRect(100, 100, 100, 50));

    drag({110, 110}, {{15, 110}});

    EXPECT_EQ(entry(3, 2).x, 16);
    EXPECT_EQ(geometryOf(2).left(), 5);
}

TEST_F(WindowPageTest, PreviewLargerThanTheAreaEndsAtTheFieldsMinimum)
{
    StartOnPage(VideoMode(0) + Section("Windows640", Place("ChatWin", 40, 200, 1600, 100)));
    ASSERT_EQ(geometryOf(6), QRect(20, 100, 800, 50));

    drag({100, 120}, {{110, 125}});

    // Left became 320 - 800 = -480; the X field clamps -960 to 1.
    EXPECT_EQ(entry(1, 6).x, 1);
    EXPECT_EQ(entry(1, 6).y, 210);
    EXPECT_EQ(geometryOf(6), QRect(0, 105, 800, 50));
}

TEST_F(WindowPageTest, TallPreviewDraggedDownStopsWithItsBottomOnTheArea)
{
    StartOnPage(VideoMode(0));
    clickCheckBox("CheckBox2");
    ASSERT_EQ(geometryOf(12), QRect(0, 0, 180, 220)); // AltAdv's fixed 360 x 440

    drag({90, 100}, {{90, 200}});

    EXPECT_EQ(page()->SelectedGameWindow, 12);
    EXPECT_EQ(entry(1, 12).y, 40);
    EXPECT_EQ(geometryOf(12).top(), 20);
}

TEST_F(WindowPageTest, ResolutionButtonsArrowsAndCaptionMoveThroughTheFive)
{
    std::string file = VideoMode(0);
    for (int resolution = 1; resolution <= 5; ++resolution)
        file += Section(SectionOf(resolution), {"PlayerWinX=" + std::to_string(100 * resolution)});
    StartOnPage(file);
    auto *caption = find<ClickLabel>("ResolutionLabel");
    const auto expectShown = [&](int resolution) {
        EXPECT_EQ(page()->CurrentResolution, resolution);
        EXPECT_EQ(caption->text().toStdString(), Resolution(resolution).label);
        for (int button = 1; button <= 5; ++button) {
            auto *speedButton
                = find<QAbstractButton>(QStringLiteral("SpeedButton%1").arg(button + 2));
            EXPECT_EQ(speedButton->isChecked(), button == resolution) << button;
        }
        EXPECT_EQ(fieldText("XSpinEdit").toInt(), 100 * resolution);
        EXPECT_EQ(geometryOf(1).left(), 100 * resolution * 320 / Resolution(resolution).width);
    };
    expectShown(1);

    for (int resolution : {4, 2, 5, 3, 1}) {
        QTest::mouseClick(
            find<QAbstractButton>(QStringLiteral("SpeedButton%1").arg(resolution + 2)),
            Qt::LeftButton);
        expectShown(resolution);
    }
    QTest::mouseClick(find<QAbstractButton>("SpeedButton1"), Qt::LeftButton);
    expectShown(5);
    QTest::mouseClick(find<QAbstractButton>("SpeedButton1"), Qt::LeftButton);
    expectShown(4);
    QTest::mouseClick(find<QAbstractButton>("SpeedButton2"), Qt::LeftButton);
    QTest::mouseClick(find<QAbstractButton>("SpeedButton2"), Qt::LeftButton);
    expectShown(1);
    doubleClick(caption);
    expectShown(2);
    QTest::mouseClick(find<QAbstractButton>("SpeedButton7"), Qt::LeftButton);
    doubleClick(caption);
    expectShown(1);
}

TEST_F(WindowPageTest, OnlyChatAndAffectHaveSizeFields)
{
    StartOnPage(VideoMode(0) + Section("Windows640", Place("TargetWin", 10, 20, 300, 400)));

    for (int kind = 1; kind <= GameWindowCount; ++kind) {
        chooseFromList(kind);
        ASSERT_EQ(page()->SelectedGameWindow, kind);
        const bool sizable = kind == 6 || kind == 7;
        EXPECT_EQ(field("WSpinEdit")->isEnabled(), sizable) << kind;
        EXPECT_EQ(field("HSpinEdit")->isEnabled(), sizable) << kind;
        if (kind == 3) {
            // A disabled field still shows the entry.
            EXPECT_EQ(fieldText("WSpinEdit"), "300");
            EXPECT_EQ(fieldText("HSpinEdit"), "400");
        }
    }
}

TEST_F(WindowPageTest, PressingAPreviewSelectsItsWindowInTheList)
{
    StartOnPage(VideoMode(0) + Section("Windows640", Place("PartyWin", 400, 300, 120, 60)));

    pressPreview(2);

    EXPECT_EQ(page()->SelectedGameWindow, 2);
    EXPECT_EQ(find<QComboBox>("WindowComboBox")->currentIndex(), 1);
    EXPECT_EQ(fieldText("XSpinEdit"), "400");
    EXPECT_EQ(BackgroundOf(preview(2)), Olive);
    EXPECT_EQ(panel()->children().last(), preview(2));
    // The window selected before gets its own colours back (1, 1, 1 by default).
    EXPECT_EQ(BackgroundOf(preview(1)), RgbToScreenColor({1, 1, 1}));
    EXPECT_EQ(TextOf(preview(1)), InvertedScreenColor({1, 1, 1}));
}

TEST_F(WindowPageTest, HiddenWindowIsEditedFromTheListAndShowsUpHighlighted)
{
    StartOnPage(VideoMode(0) + Section("Windows640", Place("ItemDataWin", 60, 80, 90, 70)));

    chooseFromList(9);
    EXPECT_EQ(fieldText("XSpinEdit"), "60");
    typeOver(field("XSpinEdit"), "100");
    EXPECT_EQ(entry(1, 9).x, 100);
    EXPECT_TRUE(preview(9)->isHidden());
    EXPECT_EQ(geometryOf(9).left(), 50); // placed while hidden

    clickCheckBox("CheckBox1");
    for (int kind : {9, 10, 11})
        EXPECT_FALSE(preview(kind)->isHidden()) << kind;
    EXPECT_TRUE(preview(12)->isHidden());
    EXPECT_EQ(BackgroundOf(preview(9)), Olive);
    EXPECT_EQ(panel()->children().last(), preview(9));

    clickCheckBox("CheckBox1");
    EXPECT_TRUE(preview(9)->isHidden());
    chooseFromList(13);
    EXPECT_TRUE(preview(13)->isHidden());
    EXPECT_EQ(page()->SelectedGameWindow, 13);
}

struct FieldRow
{
    const char *field;
    int kind;
    QString typed;
    int whileTyping;
    int afterLeaving;
    std::function<int(const ClientSettings &)> stored;
};

class FieldTypingTest : public WindowPageTest, public ::testing::WithParamInterface<FieldRow>
{};

// A typed number is stored as it stands, even out of range, until the field is left.
TEST_P(FieldTypingTest, TypedValueIsStoredThenClampedOnLeaving)
{
    const FieldRow &row = GetParam();
    StartOnPage(VideoMode(0) + Section("Windows640", Place("ChatWin", 40, 50, 60, 70)));
    chooseFromList(row.kind);
    SpinEdit *edited = field(row.field);

    typeOver(edited, row.typed);
    EXPECT_EQ(row.stored(window().settings()), row.whileTyping);
    leave(edited);
    EXPECT_EQ(row.stored(window().settings()), row.afterLeaving);
    EXPECT_EQ(edited->value(), row.afterLeaving);
}

INSTANTIATE_TEST_SUITE_P(
    Fields,
    FieldTypingTest,
    ::testing::Values(
        FieldRow{
            "XSpinEdit", 6, "2000", 2000, 1600, [](auto &s) { return s.WindowLayouts[1][6].x; }},
        FieldRow{
            "YSpinEdit", 6, "2000", 2000, 1200, [](auto &s) { return s.WindowLayouts[1][6].y; }},
        FieldRow{"WSpinEdit", 6, "-5", -5, 1, [](auto &s) { return s.WindowLayouts[1][6].w; }},
        FieldRow{
            "HSpinEdit", 7, "1300", 1300, 1200, [](auto &s) { return s.WindowLayouts[1][7].h; }},
        FieldRow{"TransSpinEdit", 6, "9", 9, 4, [](auto &s) { return s.WindowColors[6].trans; }}),
    [](const auto &info) { return std::string(info.param.field); });

TEST_F(WindowPageTest, TypedPositionMovesThePreviewAtOnce)
{
    StartOnPage(VideoMode(0) + Section("Windows640", Place("PlayerWin", 40, 50, 60, 70)));

    typeOver(field("YSpinEdit"), "300");
    EXPECT_EQ(geometryOf(1).top(), 150);
    // An empty field reads as its minimum.
    typeOver(field("YSpinEdit"), "");
    QTest::keyClick(field("YSpinEdit"), Qt::Key_Backspace);
    EXPECT_EQ(entry(1, 1).y, 1);
}

TEST_F(WindowPageTest, OutOfRangeValuesAreStoredOnlyWhenTheShownValueChanges)
{
    StartOnPage(VideoMode(0) + Section("Windows640", {"PartyWinX=50", "PlayerWinX=0"})
                + Section("WindowColors", {"PlayerWinTrans=2", "ChatWinTrans=7"}));

    // Player's 0 shows as the field's starting 1, so nothing changed and nothing was stored.
    EXPECT_EQ(fieldText("XSpinEdit"), "1");
    EXPECT_EQ(entry(1, 1).x, 0);
    chooseFromList(2);
    chooseFromList(1);
    EXPECT_EQ(fieldText("XSpinEdit"), "1");
    EXPECT_EQ(entry(1, 1).x, 1);

    chooseFromList(6);
    EXPECT_EQ(fieldText("TransSpinEdit"), "4");
    EXPECT_EQ(colors(6).trans, 4);
}

struct ComponentRow
{
    const char *box;
    const char *slider;
    std::uint8_t RgbColor::*component;
};

class ColorBoxTest : public WindowPageTest, public ::testing::WithParamInterface<ComponentRow>
{
protected:
    std::uint8_t component() { return colors(2).color.*GetParam().component; }
    std::uint8_t swatchComponent()
    {
        return ScreenColorToRgb(BackgroundOf(find<ClickPanel>("WinColorPanel")))
               .*GetParam().component;
    }
};

TEST_P(ColorBoxTest, BoxAndSliderKeepTheRecordAndSwatchInStep)
{
    StartOnPage(
        VideoMode(0)
        + Section("WindowColors", {"PartyWinRed=100", "PartyWinGreen=100", "PartyWinBlue=100"}));
    chooseFromList(2);
    auto *box = find<QLineEdit>(GetParam().box);
    auto *slider = find<QScrollBar>(GetParam().slider);

    typeOver(box, "abc");
    EXPECT_EQ(box->text(), "0");
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(component(), 0);

    typeOver(box, "300");
    EXPECT_EQ(box->text(), "255");
    EXPECT_EQ(slider->value(), 255);
    EXPECT_EQ(component(), 255);
    EXPECT_EQ(swatchComponent(), 255);

    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_EQ(box->text(), "254");
    EXPECT_EQ(component(), 254);
    EXPECT_EQ(swatchComponent(), 254);
    // The selected window's own preview keeps the highlight while its colour changes.
    EXPECT_EQ(BackgroundOf(preview(2)), Olive);
    chooseFromList(1);
    EXPECT_EQ(ScreenColorToRgb(BackgroundOf(preview(2))).*GetParam().component, 254);
}

INSTANTIATE_TEST_SUITE_P(RedGreenBlue,
                         ColorBoxTest,
                         ::testing::Values(ComponentRow{"Edit4", "ScrollBar4", &RgbColor::red},
                                           ComponentRow{"Edit5", "ScrollBar5", &RgbColor::green},
                                           ComponentRow{"Edit6", "ScrollBar6", &RgbColor::blue}),
                         [](const auto &info) { return std::string(info.param.box); });

TEST_F(WindowPageTest, ColorDialogFromAPreviewEditsThatWindow)
{
    StartOnPage(
        VideoMode(0) + Section("Windows640", Place("PartyWin", 400, 300, 120, 60))
        + Section("WindowColors", {"PartyWinRed=20", "PartyWinGreen=120", "PartyWinBlue=220"}));
    colorAnswers = {RgbColor{10, 20, 30}};

    doubleClick(preview(2));

    ASSERT_EQ(colorRequests.size(), 1u);
    EXPECT_EQ(colorRequests[0], (RgbColor{20, 120, 220}));
    EXPECT_EQ(colors(2).color, (RgbColor{10, 20, 30}));
    EXPECT_EQ(find<QLineEdit>("Edit4")->text(), "10");
    EXPECT_EQ(find<QScrollBar>("ScrollBar5")->value(), 20);
    EXPECT_EQ(find<QLineEdit>("Edit6")->text(), "30");
    EXPECT_EQ(BackgroundOf(find<ClickPanel>("WinColorPanel")), RgbToScreenColor({10, 20, 30}));
    EXPECT_EQ(BackgroundOf(preview(2)), Olive);

    chooseFromList(1);
    EXPECT_EQ(BackgroundOf(preview(2)), RgbToScreenColor({10, 20, 30}));
    EXPECT_EQ(TextOf(preview(2)), InvertedScreenColor({10, 20, 30}));
}

TEST_F(WindowPageTest, CancellingTheColorDialogChangesNothing)
{
    StartOnPage(
        VideoMode(0)
        + Section("WindowColors", {"PlayerWinRed=20", "PlayerWinGreen=120", "PlayerWinBlue=220"}));
    const ClientSettings before = window().settings();
    colorAnswers = {std::nullopt};

    doubleClick(find<ClickPanel>("WinColorPanel"));

    ASSERT_EQ(colorRequests.size(), 1u);
    EXPECT_EQ(colorRequests[0], (RgbColor{20, 120, 220}));
    EXPECT_EQ(window().settings(), before);
    EXPECT_EQ(find<QLineEdit>("Edit5")->text(), "120");
    EXPECT_EQ(BackgroundOf(find<ClickPanel>("WinColorPanel")), RgbToScreenColor({20, 120, 220}));
}

TEST_F(WindowPageTest, PageReloadDropsOnlyThisPagesEdits)
{
    const std::string file = VideoMode(0)
                             + Section("Windows640", Place("PlayerWin", 100, 50, 200, 100))
                             + Section("Windows1600", {"PartyWinX=700"})
                             + Section("WindowColors", {"PlayerWinRed=90", "PlayerWinTrans=3"});
    StartOnPage(file);
    ClientSettings fromFile;
    LoadAllSections(iniPath(), fromFile);
    typeOver(field("XSpinEdit"), "555");
    typeOver(field("TransSpinEdit"), "1");
    typeOver(find<QLineEdit>("Edit4"), "7");
    entry(5, 2).x = 1;
    window().settings().UserColors[1] = {1, 2, 3}; // an accepted text colour
    window().settings().Defaults.ChatFontSize = 9;

    QTest::mouseClick(find<QAbstractButton>("Button4"), Qt::LeftButton);

    EXPECT_EQ(window().settings().WindowLayouts, fromFile.WindowLayouts);
    EXPECT_EQ(window().settings().WindowColors, fromFile.WindowColors);
    EXPECT_EQ(window().settings().UserColors[1], (RgbColor{1, 2, 3}));
    EXPECT_EQ(window().settings().Defaults.ChatFontSize, 9);
    EXPECT_EQ(fieldText("XSpinEdit"), "100");
    EXPECT_EQ(fieldText("TransSpinEdit"), "3");
    EXPECT_EQ(find<QLineEdit>("Edit4")->text(), "90");
    EXPECT_EQ(geometryOf(1), QRect(50, 25, 100, 50));
    EXPECT_EQ(BackgroundOf(preview(1)), Olive);
    EXPECT_EQ(find<QAbstractButton>("Button4")->text(), "&Reload Ini ");
}

TEST_F(WindowPageTest, WholeFileReloadShowsTheSelectedWindowAgain)
{
    StartOnPage(VideoMode(1) + Section("Windows800", Place("PartyWin", 250, 200, 250, 125)));
    chooseFromList(2);
    typeOver(field("XSpinEdit"), "900");

    clickToolButton("ToolButton1");

    EXPECT_EQ(page()->SelectedGameWindow, 2);
    EXPECT_EQ(page()->CurrentResolution, 2);
    EXPECT_EQ(fieldText("XSpinEdit"), "250");
    EXPECT_EQ(geometryOf(2), QRect(100, 80, 100, 50));
}

class OddVideoModeTest : public WindowPageTest, public ::testing::WithParamInterface<int>
{};

// A VideoMode the game does not have: the page shows and edits 640x480 and leaves the record
// alone until the user picks a resolution.
TEST_P(OddVideoModeTest, PageShows640x480UntilAResolutionIsChosen)
{
    const int mode = GetParam();
    StartOnPage(VideoMode(mode) + Section("Windows640", Place("PlayerWin", 100, 50, 200, 100)));

    EXPECT_EQ(page()->CurrentResolution, mode + 1);
    EXPECT_EQ(find<ClickLabel>("ResolutionLabel")->text(), "640x480");
    EXPECT_TRUE(find<QAbstractButton>("SpeedButton3")->isChecked());
    EXPECT_EQ(geometryOf(1), QRect(50, 25, 100, 50));
    EXPECT_EQ(fieldText("XSpinEdit"), "100");
    typeOver(field("XSpinEdit"), "120");
    EXPECT_EQ(entry(1, 1).x, 120);
    drag({60, 30}, {{70, 30}});
    EXPECT_EQ(entry(1, 1).x, 140);

    QTest::mouseClick(find<QAbstractButton>("SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(page()->CurrentResolution, 2);
    EXPECT_EQ(window().settings().Defaults.VideoMode, mode);
}

INSTANTIATE_TEST_SUITE_P(OutsideTheFive, OddVideoModeTest, ::testing::Values(-1, 5, 7));
