#pragma once

#include "commands/CommandContext.h"
#include "sections/SettingCatalogue.h"

#include <string>
#include <vector>

// The catalogue entries the names give, in their order; false, after reporting every unknown
// name, when a name is none.
bool FindSettings(const std::vector<std::string> &names,
                  const CommandContext &context,
                  std::vector<const Setting *> &settings);

// The report line of an unknown setting name.
std::string UnknownSettingText(std::string_view name);
