#pragma once

#include "TempFolder.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

// Wine prefixes as Wine lays them out, built in temporary folders.

// A registry file as Wine writes it, with these lines after its header.
inline std::string RegistryFile(const std::string &body)
{
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" + body;
}

// The text as the registry file stores it: backslashes and quotes escaped.
inline std::string RegistryEscaped(const std::string &text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '\\' || c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

inline const std::string AppPathKeyLine
    = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\Duskmarch.exe] "
      "1796674223\n#time=1d9a1b2c3d4e5f6\n";

// A registry whose App Paths entry for the game has this "Path".
inline std::string AppPathRegistry(const std::string &windowsFolder)
{
    return RegistryFile(AppPathKeyLine + "@=\"" + RegistryEscaped(windowsFolder)
                        + "\\\\Duskmarch.exe\"\n\"Path\"=\"" + RegistryEscaped(windowsFolder)
                        + "\"\n");
}

// A prefix with this registry, drive C: on its "drive_c" and Z: on the root.
inline std::filesystem::path MakeWinePrefix(const std::filesystem::path &folder,
                                            const std::string &systemReg = RegistryFile(""))
{
    std::filesystem::create_directories(folder / "dosdevices");
    std::filesystem::create_directories(folder / "drive_c");
    std::filesystem::create_directory_symlink("../drive_c", folder / "dosdevices" / "c:");
    std::filesystem::create_directory_symlink("/", folder / "dosdevices" / "z:");
    WriteBytes(folder / "system.reg", systemReg);
    return folder;
}

// A client file in a folder of the prefix's drive C:; that folder as a local folder text.
inline std::string AddClientFile(const std::filesystem::path &prefix,
                                 const std::string &folderOnDriveC)
{
    const auto folder = prefix / "drive_c" / folderOnDriveC;
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "dmclient.ini", "[Defaults]\n");
    return folder.string() + '/';
}

// Sets the client file's last-modified time in the folder AddClientFile gave, in seconds since
// 1970, so which copy is newest does not hang on how fast the test ran.
inline void SetClientFileModified(const std::string &folder, std::int64_t seconds)
{
    const std::chrono::sys_seconds time{std::chrono::seconds(seconds)};
    std::filesystem::last_write_time(folder + "dmclient.ini",
                                     std::chrono::file_clock::from_sys(time));
}
