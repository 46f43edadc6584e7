#include "sections/BagPositionsSection.h"

#include "ini/SuppUnit.h"
#include "sections/KeyName.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view Section = "BagPositions";

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
KeyName KeyPrefix(int index)
{
    KeyName prefix("Bag_");
    prefix.Append(index).Append("_");
    return prefix;
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
        const KeyName prefix = KeyPrefix(index);
        table[index].x = ini.ReadNumber(Section, KeyName(prefix).Append("X"), DefaultX);
        table[index].y = ini.ReadNumber(Section, KeyName(prefix).Append("Y"), DefaultY);
    }
    return true;
}

bool SaveBagPositionsSection(const std::string &path, const BagPositionTable &table)
{
    TDMStyleIniFile ini(path);
    for (int index = BagPositionTable::first; index <= BagPositionTable::last; ++index) {
        const KeyName prefix = KeyPrefix(index);
        ini.WriteNumber(Section, KeyName(prefix).Append("X"), table[index].x);
        ini.WriteNumber(Section, KeyName(prefix).Append("Y"), table[index].y);
    }
    ini.UpdateFile();
    return true;
}
