#pragma once

#include "sections/IndexedArray.h"
#include "sections/WindowColorsSection.h"

#include <cstdint>
#include <string>
#include <string_view>

// The five screen resolutions that have a layout section, numbered from 1; [Defaults]
// VideoMode counts the same list from 0.
enum class ScreenResolution : int { R640x480 = 1, R800x600, R1024x768, R1280x960, R1600x1200 };
inline constexpr int ScreenResolutionCount = 5;

struct ScreenResolutionInfo
{
    std::string_view section; // "Windows640"
    std::string_view label;   // "640x480"
    int width;
    int height;
};

// What the program knows of resolution 1..5.
const ScreenResolutionInfo &Resolution(int resolution);

// Where one window sits at one resolution, in that resolution's pixels.
struct WindowLayoutEntry
{
    std::int32_t y = 0;
    std::int32_t x = 0;
    std::int32_t h = 0;
    std::int32_t w = 0;

    bool operator==(const WindowLayoutEntry &) const = default;
};

using WindowLayout = IndexedArray<WindowLayoutEntry, 1, GameWindowCount>;
using WindowLayoutTable = IndexedArray<WindowLayout, 1, ScreenResolutionCount>;

// The two Vorran windows have no size keys; the load gives them these sizes.
inline constexpr WindowLayoutEntry AltAdvFixedSize{0, 0, 440, 360};
inline constexpr WindowLayoutEntry BazaarMerchantFixedSize{0, 0, 41, 57};

// Reads the 240 keys of [Windows640] to [Windows1600] (default 0).
bool LoadWindowLayoutSections(const std::string &path, WindowLayoutTable &table);
// Writes the 240 keys. Throws IniWriteError when a write is refused.
bool SaveWindowLayoutSections(const std::string &path, const WindowLayoutTable &table);
