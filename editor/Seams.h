#pragma once

#include "locate/Platform.h"
#include "sections/TextColorsSection.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

#include <QString>
#include <QUrl>

// The program's version block as the executable carries it: query paths such as
// "\\StringFileInfo\\040904E4\\FileVersion" mapped to their values.
using VersionBlock = std::map<std::string, std::string>;

// The answers to "<file> was changed by another program since it was loaded."
enum class ChangedFileAnswer {
    Reload,     // drop the edits and read the file again
    SaveAnyway, // the window's values over the new file's
    Cancel,
};

// Everything the editor asks of the outside world that tests cannot drive for real.
struct Seams
{
    // Shows the colour dialog, starting at initial; nullopt when the user cancels.
    std::function<std::optional<RgbColor>(RgbColor initial)> pickColor;
    // Opens a web or mail link; whatever happens is ignored.
    std::function<void(const QUrl &url)> openUrl;
    // The program's own version block; nullopt when the build carries none.
    std::function<std::optional<VersionBlock>()> readVersionBlock;
    // The registry, file existence and the executable's folder, for locating the client file.
    PlatformProbe platform;
    // Asks what to do with a save over a file another program changed since it was loaded;
    // fileName is the file's own name.
    std::function<ChangedFileAnswer(const QString &fileName)> askAboutChangedFile;
};

// The real world: Qt's colour dialog, the desktop's link handler, the embedded version block
// and the operating system.
Seams DefaultSeams();
