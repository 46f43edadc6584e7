#pragma once

#include "locate/Platform.h"
#include "sections/BagPositionsSection.h"
#include "sections/DefaultsSection.h"
#include "sections/KeyMapSection.h"
#include "sections/TextColorsSection.h"
#include "sections/WindowColorsSection.h"
#include "sections/WindowLayoutSections.h"

#include <optional>
#include <string>
#include <string_view>

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

inline constexpr std::string_view ClientFileName = "dmclient.ini";
// Where the game installs itself unless told otherwise, in its short (8.3) form.
inline constexpr std::string_view DefaultClientFolder = "C:\\PROGRA~1\\DUSKMA~1\\";

// The folder of the client file, ending in a separator: the registry's "Path" when it names
// one, else the built-in default folder; but the executable's own folder when the chosen one
// holds no "dmclient.ini".
std::string LocateClientFolder(const PlatformProbe &probe = DefaultPlatformProbe());

// Empty when every section went through; otherwise the message of the error that stopped the
// operation ("Unable to write to " and the path).
using SectionsError = std::optional<std::string>;

// Reads every known section into the records, in the fixed order [Defaults], [BagPositions],
// [Windows640] to [Windows1600], [WindowColors], [KeyMaps], [TextColors].
SectionsError LoadAllSections(const std::string &path, ClientSettings &settings);
// Writes every record back in the same order, stopping at the first refused write; sections
// written before it stay written, the failing one and those after it are not written.
SectionsError SaveAllSections(const std::string &path, const ClientSettings &settings);
// Sets every field of every record to zero, every text to empty.
void ClearSettings(ClientSettings &settings);
