#include "ClientFile.h"

#include "ini/IniError.h"
#include "locate/ClientFileLocation.h"

#include <functional>

namespace {

// Runs the section operations in order; the first refused write stops the rest.
SectionsError RunInOrder(std::initializer_list<std::function<void()>> operations)
{
    try {
        for (const auto &operation : operations)
            operation();
    } catch (const IniWriteError &error) {
        return error.what();
    }
    return std::nullopt;
}

SectionsError LoadSectionsInOrder(const std::string &path, ClientSettings &settings)
{
    return RunInOrder({
        [&] { LoadDefaultsSection(path, settings.Defaults); },
        [&] { LoadBagPositionsSection(path, settings.BagPositions); },
        [&] { LoadWindowLayoutSections(path, settings.WindowLayouts); },
        [&] { LoadWindowColorsSection(path, settings.WindowColors); },
        [&] { LoadKeyMapSection(path, settings.KeyMaps); },
        [&] { LoadTextColorsSection(path, settings.UserColors); },
    });
}

SectionsError SaveSectionsInOrder(const std::string &path, const ClientSettings &settings)
{
    return RunInOrder({
        [&] { SaveDefaultsSection(path, settings.Defaults); },
        [&] { SaveBagPositionsSection(path, settings.BagPositions); },
        [&] { SaveWindowLayoutSections(path, settings.WindowLayouts); },
        [&] { SaveWindowColorsSection(path, settings.WindowColors); },
        [&] { SaveKeyMapSection(path, settings.KeyMaps); },
        [&] { SaveTextColorsSection(path, settings.UserColors); },
    });
}

// A save that wrote nothing stamps the file by its first section's read: every later read found
// the same bytes, and a write after the last one shows at the next look as a change. A save that
// wrote stamps the file it left.
FileStamp StampAfterSave(const std::string &path, const ScopedFileGuard &guard, bool written)
{
    return written ? StampFile(path) : guard.Stamp();
}

} // namespace

std::string LocateClientFolder(const PlatformProbe &probe)
{
    return LocateClientFile(probe).chosen.folder;
}

SectionsError LoadAllSections(const std::string &path, ClientSettings &settings)
{
    FileStamp loaded;
    return LoadAllSections(path, settings, loaded);
}

SectionsError LoadAllSections(const std::string &path, ClientSettings &settings, FileStamp &loaded)
{
    // The first section's read stamps the file; every later one must find the same bytes.
    ScopedFileGuard guard(path);
    const SectionsError error = LoadSectionsInOrder(path, settings);
    loaded = guard.Stamp();
    if (!error && guard.Broken())
        return "Unable to read " + path;
    return error;
}

SectionsError SaveAllSections(const std::string &path, const ClientSettings &settings)
{
    FileStamp saved;
    return SaveAllSections(path, settings, saved);
}

SectionsError
SaveAllSections(const std::string &path, const ClientSettings &settings, FileStamp &saved)
{
    // The first section's read stamps the file; each later one must find what the last one left.
    SectionsError error;
    bool ours = false;
    {
        ScopedFileGuard guard(path);
        error = SaveSectionsInOrder(path, settings);
        ours = !guard.Broken();
        // A refused write may have left part of the file written.
        const bool written = guard.Written() || error.has_value();
        // A save that stopped half-way still wrote the file alone; one that met another program
        // keeps the old stamp, so that the next save asks about the change.
        if (ours)
            saved = StampAfterSave(path, guard, written);
    }
    // A section with nothing to change writes nothing, but a file it found rewritten under it,
    // or could not read, still ends the save as refused: the caller must not take it for saved.
    if (!ours && !error)
        error = IniWriteError(path).what();
    return error;
}

bool ClientFileChangedSince(const std::string &path, const FileStamp &stamp)
{
    return FileChangedSince(path, stamp);
}

void ClearSettings(ClientSettings &settings)
{
    settings = ClientSettings{};
}
