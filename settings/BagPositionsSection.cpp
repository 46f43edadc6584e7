#include "BagPositionsSection.h"

#include "SuppUnit.h"

#include <array>
#include <string_view>

namespace {

const std::string Section = "BagPositions";

constexpr std::int32_t DefaultX = 100;
constexpr std::int32_t DefaultY = 10;

constexpr std::array<std::string_view, BagPositionTable::count> ContainerNames{
    "Inventory Slot 1",
    "Inventory Slot 2",
    "Inventory Slot 3",
    "Inventory Slot 4",
    "Inventory Slot 5",
    "Inventory Slot 6",
    "Inventory Slot 7",
    "Inventory Slot 8",
    "Bank Slot 1",
    "Bank Slot 2",
    "Bank Slot 3",
    "Bank Slot 4",
    "Bank Slot 5",
    "Bank Slot 6",
    "Bank Slot 7",
    "Bank Slot 8",
};

// "Bag_3_": the keys of container 3 start so, with no leading zeros.
std::string KeyPrefix(int index)
{
    return "Bag_" + std::to_string(index) + "_";
}

} // namespace

std::string ContainerName(int index)
{
    if (index < BagPositionTable::first || index > BagPositionTable::last)
        return {};
    return std::string(ContainerNames[static_cast<std::size_t>(index - BagPositionTable::first)]);
}

bool LoadBagPositionsSection(const std::string &path, BagPositionTable &table)
{
    TDMStyleIniFile ini(path);
    for (int index = BagPositionTable::first; index <= BagPositionTable::last; ++index) {
        const std::string prefix = KeyPrefix(index);
        table[index].x = ini.ReadNumber(Section, prefix + "X", DefaultX);
        table[index].y = ini.ReadNumber(Section, prefix + "Y", DefaultY);
    }
    return true;
}

bool SaveBagPositionsSection(const std::string &path, const BagPositionTable &table)
{
    TDMStyleIniFile ini(path);
    for (int index = BagPositionTable::first; index <= BagPositionTable::last; ++index) {
        const std::string prefix = KeyPrefix(index);
        ini.WriteNumber(Section, prefix + "X", table[index].x);
        ini.WriteNumber(Section, prefix + "Y", table[index].y);
    }
    ini.UpdateFile();
    return true;
}
