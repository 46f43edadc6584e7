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

// A save that wrote nothing leaves the stamp it started from, as long as the file's metadata
// says nobody else wrote either; the bytes need not be read and hashed once more.
FileStamp StampAfterSave(const std::string &path, const FileStamp &before, bool written)
{
    if (!written && before.outcome == FileRead::Outcome::Read
        && MetadataOf(path) == before.metadata)
        return before;
    return StampFile(path);
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
    // Each section reads the file again; the guard makes sure it finds what the last one left.
    std::string content;
    const FileStamp before = StampFile(path, RealFileSystem(), &content);
    if (before.outcome == FileRead::Outcome::Failed)
        return IniWriteError(path).what();
    SectionsError error;
    bool ours = false;
    bool written = false;
    {
        ScopedFileGuard guard(path, before, std::move(content));
        error = SaveSectionsInOrder(path, settings);
        ours = !guard.Broken();
        // A refused write may have left part of the file written.
        written = guard.Written() || error.has_value();
    }
    // A section with nothing to change writes nothing, but a file it found rewritten under it
    // still ends the save as refused: the caller must not take it for saved.
    if (!ours && !error)
        error = IniWriteError(path).what();
    // A save that stopped half-way still wrote the file alone; one that met another program
    // keeps the old stamp, so that the next save asks about the change.
    if (ours)
        saved = StampAfterSave(path, before, written);
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
