#pragma once

#include "sections/IndexedArray.h"

#include <cstdint>
#include <string>

// Where the window of one container opens on screen.
struct BagPosition
{
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool operator==(const BagPosition &) const = default;
};

// The 16 containers of [BagPositions], indexed from 0 like their keys: 0..7 the inventory
// slots, 8..15 the bank slots.
using BagPositionTable = IndexedArray<BagPosition, 0, 16>;

// "Inventory Slot 1" to "Inventory Slot 8", then "Bank Slot 1" to "Bank Slot 8".
std::string ContainerName(int index);

// Reads the 32 keys Bag_0_X to Bag_15_Y (defaults x 100, y 10).
bool LoadBagPositionsSection(const std::string &path, BagPositionTable &table);
// Writes the 32 keys. Throws IniWriteError when a write is refused.
bool SaveBagPositionsSection(const std::string &path, const BagPositionTable &table);
