#pragma once

#include <optional>
#include <string>
#include <string_view>

// The least that any load or save of a whole file has to pay, done the plainest way with the
// operating system's own calls, so our INI layer can be measured against it.

// The file's bytes in one buffer of its size; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string &path);

// Replaces the file by this content as a careful save does: a new file beside it, written,
// synced to disk, closed and renamed over the old one, then the folder synced. False on failure.
bool RewriteAtomically(const std::string &path, std::string_view content);
