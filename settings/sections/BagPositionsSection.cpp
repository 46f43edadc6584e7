#include "sections/BagPositionsSection.h"

#include "ini/SuppUnit.h"
#include "sections/SectionFile.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view Section = "BagPositions";

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

SectionRecords RecordsOf(BagPositionTable &table)
{
    SectionRecords records;
    records.bagPositions = &table;
    return records;
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
    LoadCatalogueSection(ini, Section, RecordsOf(table));
    return true;
}

bool SaveBagPositionsSection(const std::string &path, const BagPositionTable &table)
{
    TDMStyleIniFile ini(path);
    // The records are only read: a save spells their values.
    SaveCatalogueSection(ini, Section, RecordsOf(const_cast<BagPositionTable &>(table)));
    ini.UpdateFile();
    return true;
}
