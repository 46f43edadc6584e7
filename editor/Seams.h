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
// The answers to "Save changes to <file name> before …?".
enum class UnsavedAnswer { Save, Discard, Cancel };

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
    // Asks the question with the buttons Save, Discard and Cancel.
    std::function<UnsavedAnswer(const QString &question)> askAboutUnsavedChanges;
    // The file dialog for a client file to open, starting in folder; empty when cancelled.
    std::function<QString(const QString &folder)> chooseFileToOpen;
    // The file dialog for where to save, starting at the path suggested; empty when cancelled.
    std::function<QString(const QString &suggested)> chooseFileToSave;
    // The client file last opened or saved by hand, kept between runs; none yet when nullopt.
    std::function<std::optional<std::string>()> rememberedFile;
    std::function<void(const std::string &path)> rememberFile;
    // Asks a yes-or-no question before a change of many settings at once; true for yes.
    std::function<bool(const QString &question)> confirm;
};

// The real world: Qt's colour dialog, the desktop's link handler, the embedded version block
// and the operating system.
Seams DefaultSeams();
