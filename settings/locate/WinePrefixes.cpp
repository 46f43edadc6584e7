#include "locate/WinePrefixes.h"

#include "ini/FileSystem.h"
#include "locate/FolderEntries.h"
#include "locate/HeroicGames.h"
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

// A prefix a launcher's settings name: absolute, or "~/" for the home.
fs::path ConfiguredFolder(const PrefixSearchEnvironment &environment, const std::string &text)
{
    return text.starts_with("~/") ? UnderHome(environment, text.substr(2)) : fs::path(text);
}

// The prefixes found so far, each real folder once, with the launcher that led to it first.
class LauncherPrefixes
{
public:
    void Add(const fs::path &folder, const char *launcher)
    {
        if (m_unique.Add(folder))
            m_prefixes.push_back({folder, launcher});
    }

    // The folder, or its "pfx" when Proton runs it, whichever is a prefix.
    void AddFolderOrProton(const fs::path &folder, const char *launcher)
    {
        if (IsWinePrefix(folder))
            Add(folder, launcher);
        else if (IsWinePrefix(folder / "pfx"))
            Add(folder / "pfx", launcher);
    }

    void AddIfPrefix(const fs::path &folder, const char *launcher)
    {
        if (IsWinePrefix(folder))
            Add(folder, launcher);
    }

    const std::vector<WinePrefix> &Prefixes() const { return m_prefixes; }

private:
    UniqueFolders m_unique;
    std::vector<WinePrefix> m_prefixes;
};

void AddSteamPrefixes(const PrefixSearchEnvironment &environment, LauncherPrefixes &prefixes)
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
        for (const auto &game : Subfolders(library / "steamapps" / "compatdata"))
            prefixes.AddIfPrefix(game / "pfx", "Steam");
    }
}

// Prefixes the game configurations in a Lutris "games" folder name.
void AddLutrisConfiguredPrefixes(const PrefixSearchEnvironment &environment,
                                 const fs::path &gamesFolder,
                                 LauncherPrefixes &prefixes)
{
    for (const auto &name : FolderEntryNames(gamesFolder)) {
        if (!name.ends_with(".yml"))
            continue;
        const auto yaml = RealFileSystem().ReadAll((gamesFolder / name).string());
        const auto prefix = yaml ? LutrisGamePrefix(*yaml) : std::nullopt;
        if (!prefix)
            continue;
        prefixes.AddIfPrefix(ConfiguredFolder(environment, *prefix), "Lutris");
    }
}

void AddLutrisPrefixes(const PrefixSearchEnvironment &environment, LauncherPrefixes &prefixes)
{
    for (const auto &folder : Subfolders(UnderHome(environment, "Games")))
        prefixes.AddIfPrefix(folder, "Lutris");
    const std::vector<fs::path> gamesFolders{
        UnderOrEmpty(ConfigHome(environment), "lutris/games"),
        UnderOrEmpty(DataHome(environment), "lutris/games"),
        UnderHome(environment, ".var/app/net.lutris.Lutris/config/lutris/games"),
        UnderHome(environment, ".var/app/net.lutris.Lutris/data/lutris/games"),
    };
    for (const auto &gamesFolder : gamesFolders)
        AddLutrisConfiguredPrefixes(environment, gamesFolder, prefixes);
}

void AddBottlesPrefixes(const PrefixSearchEnvironment &environment, LauncherPrefixes &prefixes)
{
    const std::vector<fs::path> bottleFolders{
        UnderOrEmpty(DataHome(environment), "bottles/bottles"),
        UnderHome(environment, ".var/app/com.usebottles.bottles/data/bottles/bottles"),
    };
    for (const auto &bottles : bottleFolders) {
        for (const auto &bottle : Subfolders(bottles))
            prefixes.AddIfPrefix(bottle, "Bottles");
    }
}

// Prefixes Heroic's per-game settings name, wherever the player moved them.
void AddHeroicConfiguredPrefixes(const PrefixSearchEnvironment &environment,
                                 const fs::path &gamesConfig,
                                 LauncherPrefixes &prefixes)
{
    for (const auto &name : FolderEntryNames(gamesConfig)) {
        if (!name.ends_with(".json"))
            continue;
        const auto json = RealFileSystem().ReadAll((gamesConfig / name).string());
        if (const auto prefix = json ? HeroicGamePrefix(*json) : std::nullopt)
            prefixes.AddFolderOrProton(ConfiguredFolder(environment, *prefix), "Heroic");
    }
}

void AddHeroicPrefixes(const PrefixSearchEnvironment &environment, LauncherPrefixes &prefixes)
{
    const auto root = UnderHome(environment, "Games/Heroic/Prefixes");
    for (const auto &parent : {root, UnderOrEmpty(root, "default")}) {
        for (const auto &folder : Subfolders(parent))
            prefixes.AddFolderOrProton(folder, "Heroic");
    }
    const std::vector<fs::path> gamesConfigs{
        UnderOrEmpty(ConfigHome(environment), "heroic/GamesConfig"),
        UnderHome(environment, ".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig"),
    };
    for (const auto &gamesConfig : gamesConfigs)
        AddHeroicConfiguredPrefixes(environment, gamesConfig, prefixes);
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

std::vector<WinePrefix> FindLauncherPrefixes(const PrefixSearchEnvironment &environment)
{
    LauncherPrefixes prefixes;
    prefixes.AddIfPrefix(AbsoluteOrEmpty(environment.winePrefix), "Wine");
    prefixes.AddIfPrefix(UnderHome(environment, ".wine"), "Wine");
    AddSteamPrefixes(environment, prefixes);
    AddLutrisPrefixes(environment, prefixes);
    AddBottlesPrefixes(environment, prefixes);
    AddHeroicPrefixes(environment, prefixes);
    return prefixes.Prefixes();
}

std::vector<fs::path> FindWinePrefixes(const PrefixSearchEnvironment &environment)
{
    std::vector<fs::path> folders;
    for (const auto &prefix : FindLauncherPrefixes(environment))
        folders.push_back(prefix.folder);
    return folders;
}
