#pragma once

#include "Seams.h"

#include <optional>
#include <string>
#include <string_view>

#include <QString>

// What stands for a version that cannot be read.
inline constexpr char UnknownVersion[] = "Unknown";

// The query path of a text of the version block: "\\StringFileInfo\\040904E4\\FileVersion" for
// "FileVersion".
std::string VersionQuery(std::string_view entry);

// The program's own version block: on Windows the executable's version resource (nullopt when
// it carries none), elsewhere the block built into the program.
std::optional<VersionBlock> ReadOwnVersionBlock();

// The FileVersion text of a version block; nullopt when there is no block or no such text.
std::optional<std::string> FileVersionOf(const std::optional<VersionBlock> &block);

// The FileVersion text of the running program, read anew on every call.
std::optional<std::string> ReadFileVersion(const Seams &seams);

// The FileVersion text, or "Unknown" when there is none for either reason.
std::string FileVersionOrUnknown(const std::optional<VersionBlock> &block);

// What the About box shows as the version: the FileVersion text, "Unknown" when the block lacks
// it, or an apology when the build carries no version block at all.
QString VersionLabelText(const std::optional<VersionBlock> &block);
