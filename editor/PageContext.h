#pragma once

#include "ClientFile.h"
#include "Seams.h"
#include "SettingEdits.h"

#include <functional>
#include <string>

#include <QString>

// What every page shares with the main window: the records it edits in place, the client file's
// path (set before any page operation runs), the outside world, the status bar, and where the
// pages report the user's edits.
struct PageContext
{
    ClientSettings &settings;
    const std::string &clientIniPath;
    Seams &seams;
    // Puts text into status panel 0 (the text colour under edit) or 1 (the last command).
    std::function<void(int panel, const QString &text)> showStatus;
    SettingEdits &edits;
};
