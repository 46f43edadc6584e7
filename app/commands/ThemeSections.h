#pragma once

#include "commands/CommandContext.h"
#include "sections/SettingCatalogue.h"

#include <string_view>

// The sections a theme file carries for each export option.
struct ThemePart
{
    std::string_view option;
    std::vector<std::string_view> sections;
};
const std::vector<ThemePart> &ThemeParts();

// Whether the export options given (all of them when none is) take the setting's section.
bool IsChosenForTheme(const Setting &setting, const std::set<std::string> &options);
