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

} // namespace

std::string LocateClientFolder(const PlatformProbe &probe)
{
    return LocateClientFile(probe).chosen.folder;
}

SectionsError LoadAllSections(const std::string &path, ClientSettings &settings)
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

SectionsError SaveAllSections(const std::string &path, const ClientSettings &settings)
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

void ClearSettings(ClientSettings &settings)
{
    settings = ClientSettings{};
}
