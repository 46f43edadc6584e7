#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Where Wine prefixes are looked for. A parameter rather than the process environment, so the
// search can run over a made-up home.
struct PrefixSearchEnvironment
{
    std::string home;          // HOME; empty or relative leaves out every folder under it
    std::string winePrefix;    // WINEPREFIX; empty when unset
    std::string xdgDataHome;   // XDG_DATA_HOME; empty or relative means ~/.local/share
    std::string xdgConfigHome; // XDG_CONFIG_HOME; empty or relative means ~/.config
};

// The running process's environment (HOME from the user database when unset).
PrefixSearchEnvironment ProcessPrefixSearchEnvironment();

// Whether the folder is a Wine prefix: it holds "system.reg" and a "dosdevices" folder.
bool IsWinePrefix(const std::filesystem::path &folder);

// A prefix and the launcher that keeps it: "Wine" ($WINEPREFIX and ~/.wine), "Steam",
// "Lutris", "Bottles" or "Heroic".
struct WinePrefix
{
    std::filesystem::path folder;
    std::string launcher;

    bool operator==(const WinePrefix &) const = default;
};

// Every Wine prefix of the user, each once, in the order they are searched:
// $WINEPREFIX; ~/.wine; each Steam library's "steamapps/compatdata/*/pfx"; Lutris's ~/Games/*
// and the prefixes its game configurations name; Bottles' bottles; Heroic's
// ~/Games/Heroic/Prefixes/* and ~/Games/Heroic/Prefixes/default/*, then the prefixes its
// per-game settings name (native and Flatpak), each or its "pfx" when Proton runs it. Within a
// folder, in the order of names.
std::vector<WinePrefix> FindLauncherPrefixes(const PrefixSearchEnvironment &environment);

// The same prefixes' folders.
std::vector<std::filesystem::path> FindWinePrefixes(const PrefixSearchEnvironment &environment);
