#pragma once

#include "Seams.h"

#include <string>

// The program's own seams, except that locating the client file finds no registry key and
// takes this folder (ending in a separator) for the executable's, so the editor opens the
// dmclient.ini that a benchmark put there.
Seams SeamsOverFolder(const std::string &folder);
