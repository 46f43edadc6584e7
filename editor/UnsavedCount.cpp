#include "UnsavedCount.h"

#include "sections/SettingCatalogue.h"

#include <algorithm>

int CountDifferingComponents(const RgbColor &a, const RgbColor &b)
{
    return (a.red != b.red ? 1 : 0) + (a.green != b.green ? 1 : 0) + (a.blue != b.blue ? 1 : 0);
}

int CountDifferingKeys(const ClientSettings &a, const ClientSettings &b)
{
    const auto settings = SettingCatalogue();
    return static_cast<int>(std::count_if(settings.begin(), settings.end(), [&](const Setting &s) {
        return SettingDiffers(a, b, s);
    }));
}
