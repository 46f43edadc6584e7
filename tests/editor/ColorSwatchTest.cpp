#include "ColorSwatch.h"

#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

namespace {

struct ConversionCase
{
    RgbColor rgb;
    ScreenColor screen;
    ScreenColor inverted;

    friend void PrintTo(const ConversionCase &c, std::ostream *os)
    {
        *os << int{c.rgb.red} << ',' << int{c.rgb.green} << ',' << int{c.rgb.blue};
    }
};

class ScreenColorConversion : public ::testing::TestWithParam<ConversionCase>
{};

TEST_P(ScreenColorConversion, PacksRedLowAndInvertsEachComponent)
{
    EXPECT_EQ(RgbToScreenColor(GetParam().rgb), GetParam().screen);
    EXPECT_EQ(ScreenColorToRgb(GetParam().screen), GetParam().rgb);
    EXPECT_EQ(InvertedScreenColor(GetParam().rgb), GetParam().inverted);
}

INSTANTIATE_TEST_SUITE_P(Colors,
                         ScreenColorConversion,
                         ::testing::Values(ConversionCase{{0, 0, 0}, 0x000000, 0xFFFFFF},
                                           ConversionCase{{255, 255, 255}, 0xFFFFFF, 0x000000},
                                           ConversionCase{{255, 0, 0}, 0x0000FF, 0xFFFF00},
                                           ConversionCase{{191, 175, 143}, 0x8FAFBF, 0x705040},
                                           ConversionCase{{128, 128, 128}, 0x808080, 0x7F7F7F},
                                           ConversionCase{{0, 128, 255}, 0xFF8000, 0x007FFF}));

TEST(ScreenColor, TopByteIsIgnored)
{
    EXPECT_EQ(ScreenColorToRgb(0xAB8FAFBF), ScreenColorToRgb(0x008FAFBF));
    EXPECT_EQ(ScreenColorToRgb(0xFF000000), (RgbColor{0, 0, 0}));
}

TEST(ScreenColor, RoundTripIsExactForEveryColor)
{
    int mismatches = 0;
    for (ScreenColor screen = 0; screen <= 0xFFFFFF; ++screen) {
        if (RgbToScreenColor(ScreenColorToRgb(screen)) != screen)
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(ScreenColor, QtColorsCarryTheSameComponents)
{
    EXPECT_EQ(ToQColor(0x8FAFBF), QColor(191, 175, 143));
    EXPECT_EQ(FromQColor(QColor(191, 175, 143)), 0x8FAFBFu);
}

TEST(WidgetPaint, PaintsThroughThePaletteNotAStyleSheet)
{
    QLabel label("Chat");
    PaintBackground(&label, 0x8FAFBF);
    PaintText(&label, InvertedScreenColor({191, 175, 143}));
    EXPECT_TRUE(label.autoFillBackground());
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(191, 175, 143));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(64, 80, 112));
    EXPECT_EQ(BackgroundOf(&label), 0x8FAFBFu);
    EXPECT_EQ(TextOf(&label), 0x705040u);
    EXPECT_TRUE(label.styleSheet().isEmpty());
}

// The page's three number boxes, recording every change notification in order.
class PickColorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (QLineEdit *box : {&red, &green, &blue}) {
            QObject::connect(box, &QLineEdit::textChanged, [this, box](const QString &text) {
                writes.push_back(box->objectName() + "=" + text);
            });
        }
        red.setObjectName("red");
        green.setObjectName("green");
        blue.setObjectName("blue");
    }

    bool pick(std::optional<RgbColor> answer)
    {
        return PickColorWithDialog(&red, &green, &blue, [&](RgbColor initial) {
            asked.push_back(initial);
            return answer;
        });
    }

    QLineEdit red{"10"};
    QLineEdit green{"20"};
    QLineEdit blue{"30"};
    std::vector<QString> writes;
    std::vector<RgbColor> asked;
};

TEST_F(PickColorTest, ConfirmWritesRedGreenBlueInOrder)
{
    EXPECT_TRUE(pick(RgbColor{255, 0, 7}));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (RgbColor{10, 20, 30}));
    EXPECT_EQ(writes, (std::vector<QString>{"red=255", "green=0", "blue=7"}));
}

TEST_F(PickColorTest, CancelLeavesTheBoxes)
{
    EXPECT_FALSE(pick(std::nullopt));
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(red.text(), "10");
    EXPECT_EQ(green.text(), "20");
    EXPECT_EQ(blue.text(), "30");
}

TEST_F(PickColorTest, BoxThatAlreadyShowsTheChosenNumberRaisesNoChange)
{
    EXPECT_TRUE(pick(RgbColor{10, 99, 30}));
    EXPECT_EQ(writes, (std::vector<QString>{"green=99"}));
}

struct StartCase
{
    const char *red;
    const char *green;
    const char *blue;
    RgbColor start;

    friend void PrintTo(const StartCase &c, std::ostream *os)
    {
        *os << '"' << c.red << "\" \"" << c.green << "\" \"" << c.blue << '"';
    }
};

class PickColorStart : public PickColorTest, public ::testing::WithParamInterface<StartCase>
{};

TEST_P(PickColorStart, DialogStartsAtTheBoxesColour)
{
    red.setText(GetParam().red);
    green.setText(GetParam().green);
    blue.setText(GetParam().blue);
    pick(std::nullopt);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], GetParam().start);
}

INSTANTIATE_TEST_SUITE_P(Boxes,
                         PickColorStart,
                         ::testing::Values(StartCase{"191", "175", "143", {191, 175, 143}},
                                           StartCase{"", "abc", "-", {0, 0, 0}},
                                           StartCase{"300", "-4", "$80", {255, 0, 128}},
                                           StartCase{" 7", "+8", "0x09", {7, 8, 9}}));

} // namespace
