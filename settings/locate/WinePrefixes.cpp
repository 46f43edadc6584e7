#include "locate/WinePrefixes.h"

#include "ini/FileSystem.h"
#include "locate/FolderEntries.h"
#include "locate/LutrisGames.h"
#include "locate/SteamLibraries.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string EnvironmentText(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string UserDatabaseHome()
{
    const passwd *user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// The folder an environment value names, when it names one absolutely.
fs::path AbsoluteOrEmpty(const std::string &text)
{
    const fs::path folder(text);
    return folder.is_absolute() ? folder : fs::path();
}

// A folder under home; empty (which lists and holds nothing) without a home.
fs::path UnderHome(const PrefixSearchEnvironment &environment, const fs::path &relative)
{
    const auto home = AbsoluteOrEmpty(environment.home);
    return home.empty() ? home : home / relative;
}

fs::path DataHome(const PrefixSearchEnvironment &environment)
{
    const auto folder = AbsoluteOrEmpty(environment.xdgDataHome);
    return folder.empty() ? UnderHome(environment, ".local/share") : folder;
}

fs::path ConfigHome(const PrefixSearchEnvironment &environment)
{
    const auto folder = AbsoluteOrEmpty(environment.xdgConfigHome);
    return folder.empty() ? UnderHome(environment, ".config") : folder;
}

fs::path UnderOrEmpty(const fs::path &folder, const fs::path &relative)
{
    return folder.empty() ? folder : folder / relative;
}

void AddSteamPrefixes(const PrefixSearchEnvironment &environment, UniqueFolders &prefixes)
{
    const std::vector<fs::path> roots{
        UnderHome(environment, ".steam/steam"),
        UnderOrEmpty(DataHome(environment), "Steam"),
        UnderHome(environment, ".steam/root"),
        UnderHome(environment, ".var/app/com.valvesoftware.Steam/.local/share/Steam"),
        UnderHome(environment, ".var/app/com.valvesoftware.Steam/data/Steam"),
        UnderHome(environment, "snap/steam/common/.local/share/Steam"),
    };
    for (const auto &library : FindSteamLibraries(roots)) {
        for (const auto &game : Subfolders(library / "steamapps" / "compatdata")) {
            if (IsWinePrefix(game / "pfx"))
                prefixes.Add(game / "pfx");
        }
    }
}

// Prefixes the game configurations in a Lutris "games" folder name.
void AddLutrisConfiguredPrefixes(const PrefixSearchEnvironment &environment,
                                 const fs::path &gamesFolder,
                                 UniqueFolders &prefixes)
{
    for (const auto &name : FolderEntryNames(gamesFolder)) {
        if (!name.ends_with(".yml"))
            continue;
        const auto yaml = RealFileSystem().ReadAll((gamesFolder / name).string());
        const auto prefix = yaml ? LutrisGamePrefix(*yaml) : std::nullopt;
        if (!prefix)
            continue;
        const auto folder = prefix->starts_with("~/") ? UnderHome(environment, prefix->substr(2))
                                                      : fs::path(*prefix);
        if (IsWinePrefix(folder))
            prefixes.Add(folder);
    }
}

void AddLutrisPrefixes(const PrefixSearchEnvironment &environment, UniqueFolders &prefixes)
{
    for (const auto &folder : Subfolders(UnderHome(environment, "Games"))) {
        if (IsWinePrefix(folder))
            prefixes.Add(folder);
    }
    const std::vector<fs::path> gamesFolders{
        UnderOrEmpty(ConfigHome(environment), "lutris/games"),
        UnderOrEmpty(DataHome(environment), "lutris/games"),
        UnderHome(environment, ".var/app/net.lutris.Lutris/config/lutris/games"),
        UnderHome(environment, ".var/app/net.lutris.Lutris/data/lutris/games"),
    };
    for (const auto &gamesFolder : gamesFolders)
        AddLutrisConfiguredPrefixes(environment, gamesFolder, prefixes);
}

void AddBottlesPrefixes(const PrefixSearchEnvironment &environment, UniqueFolders &prefixes)
{
    const std::vector<fs::path> bottleFolders{
        UnderOrEmpty(DataHome(environment), "bottles/bottles"),
        UnderHome(environment, ".var/app/com.usebottles.bottles/data/bottles/bottles"),
    };
    for (const auto &bottles : bottleFolders) {
        for (const auto &bottle : Subfolders(bottles)) {
            if (IsWinePrefix(bottle))
                prefixes.Add(bottle);
        }
    }
}

void AddHeroicPrefixes(const PrefixSearchEnvironment &environment, UniqueFolders &prefixes)
{
    const auto root = UnderHome(environment, "Games/Heroic/Prefixes");
    for (const auto &parent : {root, UnderOrEmpty(root, "default")}) {
        for (const auto &folder : Subfolders(parent)) {
            if (IsWinePrefix(folder))
                prefixes.Add(folder);
            else if (IsWinePrefix(folder / "pfx"))
                prefixes.Add(folder / "pfx");
        }
    }
}

} // namespace

PrefixSearchEnvironment ProcessPrefixSearchEnvironment()
{
    PrefixSearchEnvironment environment{
        EnvironmentText("HOME"),
        EnvironmentText("WINEPREFIX"),
        EnvironmentText("XDG_DATA_HOME"),
        EnvironmentText("XDG_CONFIG_HOME"),
    };
    if (environment.home.empty())
        environment.home = UserDatabaseHome();
    return environment;
}

bool IsWinePrefix(const fs::path &folder)
{
    std::error_code error;
    return folder.is_absolute() && fs::is_regular_file(folder / "system.reg", error)
           && fs::is_directory(folder / "dosdevices", error);
}

std::vector<fs::path> FindWinePrefixes(const PrefixSearchEnvironment &environment)
{
    UniqueFolders prefixes;
    for (const auto &folder :
         {AbsoluteOrEmpty(environment.winePrefix), UnderHome(environment, ".wine")}) {
        if (IsWinePrefix(folder))
            prefixes.Add(folder);
    }
    AddSteamPrefixes(environment, prefixes);
    AddLutrisPrefixes(environment, prefixes);
    AddBottlesPrefixes(environment, prefixes);
    AddHeroicPrefixes(environment, prefixes);
    return prefixes.Folders();
}
