#pragma once

#include "sections/ClientSettings.h"

// How many keys of the client file the two sets of records give different values.
int CountDifferingKeys(const ClientSettings &a, const ClientSettings &b);
// How many components of the two colours differ.
int CountDifferingComponents(const RgbColor &a, const RgbColor &b);
