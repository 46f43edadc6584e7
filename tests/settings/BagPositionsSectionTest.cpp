#include "sections/BagPositionsSection.h"

#include "SectionText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class BagPositionsSectionTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    BagPositionTable LoadFrom(const std::vector<std::string> &lines)
    {
        WriteBytes(path, CrlfFile(lines));
        BagPositionTable table;
        EXPECT_TRUE(LoadBagPositionsSection(path, table));
        return table;
    }
    std::vector<std::string> SavedLines(const BagPositionTable &table)
    {
        EXPECT_TRUE(SaveBagPositionsSection(path, table));
        return SectionLines(ReadBytes(path), "BagPositions");
    }
};

TEST_F(BagPositionsSectionTest, FileWithoutTheSectionLoadsTheDefaultsAndSavesAll32KeysInOrder)
{
    BagPositionTable table = LoadFrom({"[Defaults]", "Bag_0_X=5"});
    for (int index = 0; index <= 15; ++index)
        EXPECT_EQ(table[index], (BagPosition{100, 10})) << index;

    std::vector<std::string> expected;
    for (int index = 0; index <= 15; ++index) {
        table[index] = {index * 10 + 1, index * 10 + 2};
        const std::string key = "Bag_" + std::to_string(index);
        expected.push_back(key + "_X=" + std::to_string(index * 10 + 1));
        expected.push_back(key + "_Y=" + std::to_string(index * 10 + 2));
    }
    EXPECT_EQ(SavedLines(table), expected);
    EXPECT_EQ(SectionLines(ReadBytes(path), "Defaults"), std::vector<std::string>{"Bag_0_X=5"});
}

TEST_F(BagPositionsSectionTest, ValuesLoadWholeAndSaveUnchanged)
{
    const BagPositionTable table = LoadFrom({"[BagPositions]",
                                             "Bag_3_Y=400",
                                             "Bag_0_X=0",
                                             "Bag_1_X=-50",
                                             "Bag_2_X=$7FFFFFFF",
                                             "Bag_4_X=left",
                                             "Bag_4_Y="});
    EXPECT_EQ(table[3], (BagPosition{100, 400}));
    EXPECT_EQ(table[0], (BagPosition{0, 10}));
    EXPECT_EQ(table[1], (BagPosition{-50, 10}));
    EXPECT_EQ(table[2], (BagPosition{2147483647, 10}));
    EXPECT_EQ(table[4], (BagPosition{100, 10}));

    const auto lines = SavedLines(table);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"Bag_3_Y=400",
                                        "Bag_0_X=0",
                                        "Bag_1_X=-50",
                                        "Bag_2_X=2147483647",
                                        "Bag_4_X=100",
                                        "Bag_4_Y=10"}));
}

TEST_F(BagPositionsSectionTest, KeysOutsideTheTableAreNeitherReadNorWritten)
{
    const BagPositionTable table = LoadFrom({"[BagPositions]", "Bag_16_X=1", "Bag_03_X=2"});
    EXPECT_EQ(table[3], (BagPosition{100, 10}));

    const auto lines = SavedLines(table);
    EXPECT_EQ(lines.size(), 32u + 2u);
    EXPECT_EQ(lines[0], "Bag_16_X=1");
    EXPECT_EQ(lines[1], "Bag_03_X=2");
}

TEST(ContainerNameTest, InventorySlotsThenBankSlots)
{
    EXPECT_EQ(ContainerName(0), "Inventory Slot 1");
    EXPECT_EQ(ContainerName(7), "Inventory Slot 8");
    EXPECT_EQ(ContainerName(8), "Bank Slot 1");
    EXPECT_EQ(ContainerName(15), "Bank Slot 8");
    for (int index = 0; index < 8; ++index) {
        EXPECT_EQ(ContainerName(index), "Inventory Slot " + std::to_string(index + 1));
        EXPECT_EQ(ContainerName(index + 8), "Bank Slot " + std::to_string(index + 1));
    }
    EXPECT_EQ(ContainerName(-1), "");
    EXPECT_EQ(ContainerName(16), "");
}

} // namespace
