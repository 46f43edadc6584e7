#pragma once

#include "locate/ClientFileCandidate.h"

#include <ostream>

// Readable failures for the location's records.

inline void PrintTo(const ClientFileOrigin &origin, std::ostream *out)
{
    *out << "{by " << static_cast<int>(origin.foundBy) << ", " << origin.launcher << ", "
         << origin.prefix << "}";
}

inline void PrintTo(const LookedPlace &place, std::ostream *out)
{
    PrintTo(place.origin, out);
    *out << " " << place.windowsFolder << " = " << place.folder
         << (place.holdsFile ? " (holds the file)" : " (no file)");
}
