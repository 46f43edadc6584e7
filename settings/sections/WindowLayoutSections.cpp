#include "sections/WindowLayoutSections.h"

#include "ini/SuppUnit.h"
#include "sections/SectionFile.h"

#include <array>
#include <optional>

namespace {

constexpr std::array<ScreenResolutionInfo, ScreenResolutionCount> Resolutions{{
    {"Windows640", "640x480", 640, 480},
    {"Windows800", "800x600", 800, 600},
    {"Windows1024", "1024x768", 1024, 768},
    {"Windows1280", "1280x960", 1280, 960},
    {"Windows1600", "1600x1200", 1600, 1200},
}};

// The two Vorran windows have no size keys in the file: only their place is stored.
std::optional<WindowLayoutEntry> FixedSize(int kind)
{
    switch (static_cast<GameWindowKind>(kind)) {
    case GameWindowKind::AltAdv:
        return AltAdvFixedSize;
    case GameWindowKind::BazaarMerchant:
        return BazaarMerchantFixedSize;
    default:
        return std::nullopt;
    }
}

SectionRecords RecordsOf(WindowLayoutTable &table)
{
    SectionRecords records;
    records.windowLayouts = &table;
    return records;
}

// Their sizes are not in the file: every load sets them.
void SetFixedSizes(WindowLayoutTable &table)
{
    for (auto &layout : table) {
        for (int kind = WindowLayout::first; kind <= WindowLayout::last; ++kind) {
            if (const auto fixed = FixedSize(kind)) {
                layout[kind].h = fixed->h;
                layout[kind].w = fixed->w;
            }
        }
    }
}

} // namespace

const ScreenResolutionInfo &Resolution(int resolution)
{
    // An unknown resolution gets no section rather than another one's.
    static constexpr ScreenResolutionInfo Unknown{{}, {}, 0, 0};
    if (resolution < WindowLayoutTable::first || resolution > WindowLayoutTable::last)
        return Unknown;
    return Resolutions[static_cast<std::size_t>(resolution - WindowLayoutTable::first)];
}

bool LoadWindowLayoutSections(const std::string &path, WindowLayoutTable &table)
{
    TDMStyleIniFile ini(path);
    for (int resolution = WindowLayoutTable::first; resolution <= WindowLayoutTable::last;
         ++resolution)
        LoadCatalogueSection(ini, Resolution(resolution).section, RecordsOf(table));
    SetFixedSizes(table);
    return true;
}

bool SaveWindowLayoutSections(const std::string &path, const WindowLayoutTable &table)
{
    TDMStyleIniFile ini(path);
    // The records are only read: a save spells their values.
    const SectionRecords records = RecordsOf(const_cast<WindowLayoutTable &>(table));
    for (int resolution = WindowLayoutTable::first; resolution <= WindowLayoutTable::last;
         ++resolution)
        SaveCatalogueSection(ini, Resolution(resolution).section, records);
    ini.UpdateFile();
    return true;
}
