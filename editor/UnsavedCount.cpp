#include "UnsavedCount.h"

#include "sections/SettingCatalogue.h"

#include <string_view>

namespace {

// Which records of the two sets differ at all.
class DifferingRecords
{
public:
    DifferingRecords(const ClientSettings &a, const ClientSettings &b)
        : m_defaults(a.Defaults != b.Defaults)
        , m_bags(a.BagPositions != b.BagPositions)
        , m_layouts(a.WindowLayouts != b.WindowLayouts)
        , m_windowColors(a.WindowColors != b.WindowColors)
        , m_keyMaps(a.KeyMaps != b.KeyMaps)
        , m_userColors(a.UserColors != b.UserColors)
    {}

    // Whether the record holding the setting differs; every layout section ("Windows1024")
    // is in the one layout table. A section not known here is always looked into.
    bool MayDiffer(const Setting &setting) const
    {
        const std::string_view section = setting.section;
        if (section == "Defaults")
            return m_defaults;
        if (section == "BagPositions")
            return m_bags;
        if (section == "WindowColors")
            return m_windowColors;
        if (section == "KeyMaps")
            return m_keyMaps;
        if (section == "TextColors")
            return m_userColors;
        return section.starts_with("Windows") ? m_layouts : true;
    }

private:
    bool m_defaults;
    bool m_bags;
    bool m_layouts;
    bool m_windowColors;
    bool m_keyMaps;
    bool m_userColors;
};

} // namespace

void ForEachDifferingSetting(const ClientSettings &a,
                             const ClientSettings &b,
                             const std::function<void(const Setting &)> &found)
{
    const DifferingRecords records(a, b);
    for (const Setting &setting : SettingCatalogue()) {
        if (records.MayDiffer(setting) && SettingDiffers(a, b, setting))
            found(setting);
    }
}

int CountDifferingComponents(const RgbColor &a, const RgbColor &b)
{
    return (a.red != b.red ? 1 : 0) + (a.green != b.green ? 1 : 0) + (a.blue != b.blue ? 1 : 0);
}

int CountDifferingKeys(const ClientSettings &a, const ClientSettings &b)
{
    int count = 0;
    ForEachDifferingSetting(a, b, [&count](const Setting &) { ++count; });
    return count;
}
