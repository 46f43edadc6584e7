#pragma once

#include "locate/ClientFileCandidate.h"
#include "locate/Platform.h"

#include <string>
#include <vector>

// Where the client file is, how it was found, what else was found and where the search looked:
// what the window and the command line tell the player.
struct ClientFileLocation
{
    // The file to edit. It may not exist yet (exists is false): then it is the one in the
    // program's own folder, which the first save creates.
    ClientFileCandidate chosen;
    bool exists = false;
    // Every client file found, each once, in search order; chosen is among them when it exists.
    // The order depends on where the files are, never on when they were made or changed.
    std::vector<ClientFileCandidate> found;
    // Every folder looked in, in search order.
    std::vector<LookedPlace> looked;

    // The files found besides the chosen one, in search order.
    std::vector<ClientFileCandidate> Others() const;
};

// Finds the client file.
// Where the system has a registry of its own: the registry's "Path" when it names a folder,
// else the built-in default folder; the program's own folder when that folder holds no file.
// Under Wine (the probe's searchWinePrefixes): of every file found in the prefixes, the best
// (BestCandidate); the program's own folder when none holds one.
ClientFileLocation LocateClientFile(const PlatformProbe &probe);

// The location with the file the player named (on the command line, through Open, or kept from
// the last run) as the chosen one: as the search found it when it is among the files found,
// else as FoundBy::Named, placed first among them when it exists. What the search found and
// looked in stays.
ClientFileLocation
WithNamedFile(ClientFileLocation location, const std::string &path, const PlatformProbe &probe);

// The index of the file to prefer: one the registry names first, then the most recently
// modified (an unknown time counts as oldest), then the first in search order. The list must
// not be empty.
std::size_t BestCandidate(const std::vector<ClientFileCandidate> &candidates);
