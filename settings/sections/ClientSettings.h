#pragma once

#include "sections/BagPositionsSection.h"
#include "sections/DefaultsSection.h"
#include "sections/KeyMapSection.h"
#include "sections/TextColorsSection.h"
#include "sections/WindowColorsSection.h"
#include "sections/WindowLayoutSections.h"

// Every record of the client file, one copy each, owned by the main window for the whole run.
struct ClientSettings
{
    DefaultsSettings Defaults;
    BagPositionTable BagPositions;
    WindowLayoutTable WindowLayouts;
    WindowColorTable WindowColors;
    KeyMapTable KeyMaps;
    UserColorTable UserColors;

    bool operator==(const ClientSettings &) const = default;
};
