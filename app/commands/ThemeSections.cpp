#include "commands/ThemeSections.h"

#include <algorithm>

const std::vector<ThemePart> &ThemeParts()
{
    static const std::vector<ThemePart> parts{
        {"--colors", {"TextColors", "WindowColors"}},
        {"--windows", {"Windows640", "Windows800", "Windows1024", "Windows1280", "Windows1600"}},
        {"--keys", {"KeyMaps"}},
        {"--containers", {"BagPositions"}},
        {"--options", {"Defaults"}},
    };
    return parts;
}

bool IsChosenForTheme(const Setting &setting, const std::set<std::string> &options)
{
    return std::any_of(ThemeParts().begin(), ThemeParts().end(), [&](const ThemePart &part) {
        const bool chosen = options.empty() || options.contains(std::string(part.option));
        return chosen
               && std::find(part.sections.begin(), part.sections.end(), setting.section)
                      != part.sections.end();
    });
}
