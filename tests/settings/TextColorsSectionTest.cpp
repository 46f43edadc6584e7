#include "sections/TextColorsSection.h"

#include "SectionText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class TextColorsSectionTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    UserColorTable LoadFrom(const std::vector<std::string> &lines)
    {
        WriteBytes(path, CrlfFile(lines));
        UserColorTable table;
        // Non-zero everywhere, so a component the load forgets shows up.
        for (RgbColor &color : table)
            color = {7, 7, 7};
        EXPECT_TRUE(LoadTextColorsSection(path, table));
        return table;
    }
    std::vector<std::string> SavedLines(const UserColorTable &table)
    {
        EXPECT_TRUE(SaveTextColorsSection(path, table));
        return SectionLines(ReadBytes(path), "TextColors");
    }
};

TEST_F(TextColorsSectionTest, FileWithoutTheSectionLoadsBlackAndSavesAll153KeysInOrder)
{
    UserColorTable table = LoadFrom({"[Defaults]", "RunMode=TRUE"});
    for (int n = 1; n <= 51; ++n)
        EXPECT_EQ(table[n], (RgbColor{0, 0, 0})) << n;

    // A distinct value in every component, so a swapped key or entry shows up.
    std::vector<std::string> expected;
    for (int n = 1; n <= 51; ++n) {
        const auto value = [n](int offset) { return static_cast<std::uint8_t>(n + offset); };
        table[n] = {value(0), value(60), value(120)};
        const std::string key = "User_" + std::to_string(n);
        expected.push_back(key + "_Red=" + std::to_string(n));
        expected.push_back(key + "_Green=" + std::to_string(n + 60));
        expected.push_back(key + "_Blue=" + std::to_string(n + 120));
    }
    EXPECT_EQ(SavedLines(table), expected);
    EXPECT_EQ(SectionNames(ReadBytes(path)), (std::vector<std::string>{"Defaults", "TextColors"}));
}

// One component's text in the file, the component it loads as, and the text saved back.
struct ComponentCase
{
    std::string stored;
    std::uint8_t loaded;
    std::string saved;
};

void PrintTo(const ComponentCase &c, std::ostream *out)
{
    *out << '"' << c.stored << '"';
}

class TextColorComponentTest : public TextColorsSectionTest,
                               public ::testing::WithParamInterface<ComponentCase>
{};

TEST_P(TextColorComponentTest, KeepsTheLowEightBits)
{
    const ComponentCase &c = GetParam();
    const UserColorTable table = LoadFrom({"[TextColors]", "User_7_Green=" + c.stored});
    EXPECT_EQ(table[7], (RgbColor{0, c.loaded, 0}));
    EXPECT_EQ(SavedLines(table).front(), "User_7_Green=" + c.saved);
}

INSTANTIATE_TEST_SUITE_P(Values,
                         TextColorComponentTest,
                         ::testing::Values(ComponentCase{"200", 200, "200"},
                                           ComponentCase{"300", 44, "44"},
                                           ComponentCase{"256", 0, "0"},
                                           ComponentCase{"-1", 255, "255"},
                                           ComponentCase{"0x1F", 31, "31"},
                                           ComponentCase{"$1F", 31, "31"},
                                           ComponentCase{"abc", 0, "0"},
                                           ComponentCase{"", 0, "0"}));

TEST_F(TextColorsSectionTest, OneKeyGivesOneComponentTheRestStayZero)
{
    const UserColorTable table = LoadFrom({"[TextColors]", "User_5_Red=200"});
    EXPECT_EQ(table[5], (RgbColor{200, 0, 0}));
    EXPECT_EQ(table[4], (RgbColor{0, 0, 0}));
    EXPECT_EQ(table[6], (RgbColor{0, 0, 0}));
}

TEST_F(TextColorsSectionTest, KeysOutsideTheTableAreNeitherReadNorWritten)
{
    const UserColorTable table = LoadFrom(
        {"[TextColors]", "User_01_Red=9", "User_52_Red=8", "User_0_Blue=6", "User_1_Red=5"});
    EXPECT_EQ(table[1], (RgbColor{5, 0, 0}));

    const auto lines = SavedLines(table);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{
                  "User_01_Red=9", "User_52_Red=8", "User_0_Blue=6", "User_1_Red=5"}));
    EXPECT_EQ(lines.size(), 153u + 3u);
}

TEST(TextColorCaptionTest, NamesEveryKindUnderItsOwnNumber)
{
    EXPECT_EQ(TextColorCaption(1), "User_1: Say");
    EXPECT_EQ(TextColorCaption(17), "User_17: Unused at this time");
    EXPECT_EQ(TextColorCaption(32), "User_32: Dice Roll (/random)");
    EXPECT_EQ(TextColorCaption(51), "User_51: Enrage text");
    for (int n = 1; n <= 51; ++n)
        EXPECT_TRUE(TextColorCaption(n).starts_with("User_" + std::to_string(n) + ": ")) << n;
    EXPECT_EQ(TextColorCaption(0), "");
    EXPECT_EQ(TextColorCaption(52), "");
}

} // namespace
