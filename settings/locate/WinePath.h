#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

// Windows paths inside a Wine prefix. The drive letter leads through the prefix's
// "dosdevices/<letter>:" link ("c:" to "../drive_c", "z:" to "/"). Each component then matches
// a folder of the same name exactly, else without regard to letter case, else as a short
// "NAME~N" name: Wine's own hashed short names never match what an installer stored, so
// "NAME~N" stands for the N-th entry, in the order of names, whose long name, with blanks and
// characters a short name cannot hold removed and upper-cased, begins with NAME (and, for
// "NAME~N.EXT", whose extension begins with EXT).

// The folder the drive letter leads to in the prefix; nullopt when the prefix has no such drive.
std::optional<std::filesystem::path> WineDriveFolder(const std::filesystem::path &prefix,
                                                     char driveLetter);

// The first existing folder the absolute Windows folder path can name in the prefix for which
// accept holds, trying the candidates for each component in the order above. nullopt when the
// text is not "X:\..." or no candidate is accepted.
std::optional<std::filesystem::path>
FindWindowsFolder(const std::filesystem::path &prefix,
                  std::string_view windowsFolder,
                  const std::function<bool(const std::filesystem::path &)> &accept);

// The Windows path taken word for word: the drive's folder followed by the components as
// written, whether or not they exist. nullopt when the text is not "X:\..." or the drive is
// missing.
std::optional<std::filesystem::path> MapWindowsPath(const std::filesystem::path &prefix,
                                                    std::string_view windowsPath);
