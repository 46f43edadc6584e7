#pragma once

#include "ini/FileStamp.h"
#include "locate/Platform.h"
#include "sections/ClientSettings.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view ClientFileName = "dmclient.ini";
// Where the game installs itself unless told otherwise, in its short (8.3) form.
inline constexpr std::string_view DefaultClientFolder = "C:\\PROGRA~1\\DUSKMA~1\\";

// The folder of the client file, ending in a separator: the registry's "Path" when it names
// one, else the built-in default folder; but the executable's own folder when the chosen one
// holds no "dmclient.ini". Under Wine, the best of the prefixes' files. The folder of
// LocateClientFile (locate/ClientFileLocation.h), which also tells how it was found.
std::string LocateClientFolder(const PlatformProbe &probe = DefaultPlatformProbe());

// Empty when every section went through; otherwise the message of the error that stopped the
// operation ("Unable to write to " and the path).
using SectionsError = std::optional<std::string>;

// Reads every known section into the records, in the fixed order [Defaults], [BagPositions],
// [Windows640] to [Windows1600], [WindowColors], [KeyMaps], [TextColors]. Reading never
// fails: what cannot be read loads as defaults. But an existing file that could not be read in
// full, or that another program changed during the load, gives "Unable to read " and the path.
SectionsError LoadAllSections(const std::string &path, ClientSettings &settings);
// The same, recording in loaded what the file was, for ClientFileChangedSince().
SectionsError LoadAllSections(const std::string &path, ClientSettings &settings, FileStamp &loaded);
// Writes every record back in the same order, stopping at the first refused write; sections
// written before it stay written, the failing one and those after it are not written. An
// existing file that cannot be read, or that another program changes during the save, refuses
// the write that needs it. Every key of the records gets their value, whatever another program
// wrote to the file since it was loaded; ask ClientFileChangedSince() first to avoid that.
SectionsError SaveAllSections(const std::string &path, const ClientSettings &settings);
// The same, and stamps the file as saved, for the next ClientFileChangedSince(), unless another
// program was found changing it during the save.
SectionsError
SaveAllSections(const std::string &path, const ClientSettings &settings, FileStamp &saved);
// Whether another program created, removed or rewrote the file since the stamp was taken.
bool ClientFileChangedSince(const std::string &path, const FileStamp &stamp);
// Sets every field of every record to zero, every text to empty.
void ClearSettings(ClientSettings &settings);
