#pragma once

#include "sections/ClientSettings.h"

#include <functional>

struct Setting;

// Calls found with every setting the two sets of records give different values, in catalogue
// order. The settings of a record that is the same in both are not looked at one by one.
void ForEachDifferingSetting(const ClientSettings &a,
                             const ClientSettings &b,
                             const std::function<void(const Setting &)> &found);
// How many keys of the client file the two sets of records give different values.
int CountDifferingKeys(const ClientSettings &a, const ClientSettings &b);
// How many components of the two colours differ.
int CountDifferingComponents(const RgbColor &a, const RgbColor &b);
