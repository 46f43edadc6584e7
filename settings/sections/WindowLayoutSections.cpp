#include "sections/WindowLayoutSections.h"

#include "ini/SuppUnit.h"
#include "sections/KeyName.h"

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

WindowLayoutEntry ReadEntry(TDMStyleIniFile &ini, std::string_view section, int kind)
{
    const std::string_view prefix = GameWindow(kind).keyPrefix;
    WindowLayoutEntry entry;
    entry.y = ini.ReadNumber(section, KeyName(prefix).Append("Y"), 0);
    entry.x = ini.ReadNumber(section, KeyName(prefix).Append("X"), 0);
    if (const auto fixed = FixedSize(kind)) {
        entry.h = fixed->h;
        entry.w = fixed->w;
    } else {
        entry.h = ini.ReadNumber(section, KeyName(prefix).Append("H"), 0);
        entry.w = ini.ReadNumber(section, KeyName(prefix).Append("W"), 0);
    }
    return entry;
}

void WriteEntry(TDMStyleIniFile &ini,
                std::string_view section,
                int kind,
                const WindowLayoutEntry &entry)
{
    const std::string_view prefix = GameWindow(kind).keyPrefix;
    ini.WriteNumber(section, KeyName(prefix).Append("Y"), entry.y);
    ini.WriteNumber(section, KeyName(prefix).Append("X"), entry.x);
    if (FixedSize(kind))
        return;
    ini.WriteNumber(section, KeyName(prefix).Append("H"), entry.h);
    ini.WriteNumber(section, KeyName(prefix).Append("W"), entry.w);
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
         ++resolution) {
        const std::string_view section = Resolution(resolution).section;
        for (int kind = WindowLayout::first; kind <= WindowLayout::last; ++kind)
            table[resolution][kind] = ReadEntry(ini, section, kind);
    }
    return true;
}

bool SaveWindowLayoutSections(const std::string &path, const WindowLayoutTable &table)
{
    TDMStyleIniFile ini(path);
    for (int resolution = WindowLayoutTable::first; resolution <= WindowLayoutTable::last;
         ++resolution) {
        const std::string_view section = Resolution(resolution).section;
        for (int kind = WindowLayout::first; kind <= WindowLayout::last; ++kind)
            WriteEntry(ini, section, kind, table[resolution][kind]);
    }
    ini.UpdateFile();
    return true;
}
