#include "UnsavedCount.h"

namespace {

int Differs(bool differs)
{
    return differs ? 1 : 0;
}

int CountDefaults(const DefaultsSettings &a, const DefaultsSettings &b)
{
    int count = 0;
    for (std::size_t flag = 0; flag < a.Flags.size(); ++flag)
        count += Differs(a.Flags[flag] != b.Flags[flag]);
    count += Differs(a.TrackSortType != b.TrackSortType);
    count += Differs(a.TrackPlayers != b.TrackPlayers);
    for (const auto field : {&DefaultsSettings::TrackFilterType,
                             &DefaultsSettings::ChatLineSpacing,
                             &DefaultsSettings::ChatFontSize,
                             &DefaultsSettings::LastCharSel,
                             &DefaultsSettings::MousePointerSpeedMod,
                             &DefaultsSettings::VideoMode,
                             &DefaultsSettings::VideoModeBitsPerPixel,
                             &DefaultsSettings::TextureQuality,
                             &DefaultsSettings::ShowNamesLevel})
        count += Differs(a.*field != b.*field);
    return count;
}

int CountLayouts(const WindowLayoutTable &a, const WindowLayoutTable &b)
{
    int count = 0;
    for (int resolution = WindowLayoutTable::first; resolution <= WindowLayoutTable::last;
         ++resolution) {
        for (int kind = WindowLayout::first; kind <= WindowLayout::last; ++kind) {
            const WindowLayoutEntry &x = a[resolution][kind];
            const WindowLayoutEntry &y = b[resolution][kind];
            count += Differs(x.x != y.x) + Differs(x.y != y.y) + Differs(x.w != y.w)
                     + Differs(x.h != y.h);
        }
    }
    return count;
}

} // namespace

int CountDifferingComponents(const RgbColor &a, const RgbColor &b)
{
    return Differs(a.red != b.red) + Differs(a.green != b.green) + Differs(a.blue != b.blue);
}

int CountDifferingKeys(const ClientSettings &a, const ClientSettings &b)
{
    int count
        = CountDefaults(a.Defaults, b.Defaults) + CountLayouts(a.WindowLayouts, b.WindowLayouts);
    for (int n = UserColorTable::first; n <= UserColorTable::last; ++n)
        count += CountDifferingComponents(a.UserColors[n], b.UserColors[n]);
    for (int kind = WindowColorTable::first; kind <= WindowColorTable::last; ++kind) {
        count += CountDifferingComponents(a.WindowColors[kind].color, b.WindowColors[kind].color);
        count += Differs(a.WindowColors[kind].trans != b.WindowColors[kind].trans);
    }
    for (int bag = BagPositionTable::first; bag <= BagPositionTable::last; ++bag) {
        count += Differs(a.BagPositions[bag].x != b.BagPositions[bag].x);
        count += Differs(a.BagPositions[bag].y != b.BagPositions[bag].y);
    }
    for (int row = KeyMapTable::first; row <= KeyMapTable::last; ++row)
        count += Differs(a.KeyMaps[row] != b.KeyMaps[row]);
    return count;
}
