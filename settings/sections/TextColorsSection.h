#pragma once

#include "sections/IndexedArray.h"

#include <cstdint>
#include <string>
#include <string_view>

// A colour as the client file stores it: three components of 0..255.
struct RgbColor
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const RgbColor &) const = default;
};

// The 51 text colours User_1 to User_51 of [TextColors], indexed from 1.
using UserColorTable = IndexedArray<RgbColor, 1, 51>;

// The caption of text kind n (1..51) on the Text Colors page, for example "User_1: Say".
std::string_view TextColorCaption(int n);

// Reads the 153 keys; each component keeps the low 8 bits of the number read (default 0).
bool LoadTextColorsSection(const std::string &path, UserColorTable &table);
// Writes the 153 keys, User_1_Red to User_51_Blue. Throws IniWriteError when a write is refused.
bool SaveTextColorsSection(const std::string &path, const UserColorTable &table);
