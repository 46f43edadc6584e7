#pragma once

#include "locate/ClientFileLocation.h"

#include <cstdint>
#include <string>
#include <vector>

// The location of the client file told in plain lines, the same for a terminal, a tooltip and
// the Help dialog.

// A time of ModifiedSeconds in the local time zone: "2026-12-08 23:45".
std::string ModifiedText(std::int64_t seconds);

// How a file was found, briefly: "registry entry, Bottles prefix /p, modified 2026-12-08 23:45";
// without a prefix "default folder" or "program's own folder"; the time only when known.
std::string CandidateDescription(const ClientFileCandidate &candidate);

// One line per folder looked in, in search order: "default folder, Wine prefix /p:
// C:\PROGRA~1\DUSKMA~1\ = /p/drive_c/Program Files/Duskmarch Online/ (no dmclient.ini)".
std::vector<std::string> LookedLines(const ClientFileLocation &location);

// The whole report. Its first line is always the path of the file to edit, the second how it
// was found, or that it does not exist yet; then the other files found ("Also found:", each
// path followed by an indented description); when the search found no file, where it looked
// ("Looked in:", the indented LookedLines).
std::vector<std::string> LocationReportLines(const ClientFileLocation &location);
// The same lines, each ending in a line break.
std::string LocationReportText(const ClientFileLocation &location);
