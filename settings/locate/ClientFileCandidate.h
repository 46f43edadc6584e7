#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How a folder came to be looked in for the client file.
enum class FoundBy {
    Registry,      // the game's application-path entry in the registry
    DefaultFolder, // the folder the game installs itself to unless told otherwise
    ProgramFolder, // the folder of this program's executable, the last resort
    Named,         // named by the player: on the command line, opened, or remembered
};

// Where a folder came from. Under Wine, the prefix whose registry or drive C: named it and the
// launcher that keeps that prefix; both empty where the system has a registry of its own.
struct ClientFileOrigin
{
    FoundBy foundBy = FoundBy::ProgramFolder;
    std::string launcher; // "Wine", "Steam", "Lutris", "Bottles", "Heroic"
    std::string prefix;

    bool operator==(const ClientFileOrigin &) const = default;
};

// A client file, found or proposed.
struct ClientFileCandidate
{
    std::string folder; // ending in a separator
    std::string path;   // the folder followed by "dmclient.ini"
    ClientFileOrigin origin;
    // Seconds since 1970-01-01 UTC; nullopt when unknown or the file does not exist.
    std::optional<std::int64_t> modified;

    bool operator==(const ClientFileCandidate &) const = default;
};

// A folder the search looked in, whether or not it held the file.
struct LookedPlace
{
    ClientFileOrigin origin;
    // The local folder; empty when the registry has no entry for the game or names a folder
    // nothing on this system stands for.
    std::string folder;
    // The registry's text, or the built-in default folder, as Windows spells it; empty for the
    // program's folder.
    std::string windowsFolder;
    bool holdsFile = false;

    bool operator==(const LookedPlace &) const = default;
};

// What a search of the Wine prefixes gives: every client file, each once, and every folder
// looked in, both in search order.
struct PrefixSearch
{
    std::vector<ClientFileCandidate> found;
    std::vector<LookedPlace> looked;
};
