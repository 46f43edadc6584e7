#include "locate/WineClientFolder.h"

#include "ClientFile.h"
#include "ini/FileSystem.h"
#include "locate/WinePath.h"
#include "locate/WineRegistry.h"

#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view AppPathKey
    = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe";
// Where a 32-bit installer's entry lands in a 64-bit prefix.
constexpr std::string_view AppPathKey32
    = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe";
constexpr std::string_view AppPathValue = "Path";

std::optional<std::string> ReadAppPath(const fs::path &prefix)
{
    const auto registry = RealFileSystem().ReadAll((prefix / "system.reg").string());
    if (!registry)
        return std::nullopt;
    return ReadRegistryText(*registry, {AppPathKey, AppPathKey32}, AppPathValue);
}

bool IsRegularLocalFile(const std::string &path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool HoldsClientFile(const fs::path &folder)
{
    return IsRegularLocalFile((folder / ClientFileName).string());
}

std::string FolderText(const fs::path &folder)
{
    auto text = folder.string();
    if (!text.ends_with('/'))
        text += '/';
    return text;
}

// Where a folder from the registry is, preferring the spelling under which the client file is
// found; a folder the prefix has no drive for names nothing here.
std::optional<std::string> ResolveAppPath(const fs::path &prefix, const std::string &windowsFolder)
{
    auto folder = FindWindowsFolder(prefix, windowsFolder, HoldsClientFile);
    if (!folder)
        folder = MapWindowsPath(prefix, windowsFolder);
    return folder ? std::optional(FolderText(*folder)) : std::nullopt;
}

} // namespace

std::optional<std::string> ClientFolderFromPrefixes(const std::vector<fs::path> &prefixes)
{
    for (const auto &prefix : prefixes) {
        if (const auto appPath = ReadAppPath(prefix))
            return ResolveAppPath(prefix, *appPath);
    }
    for (const auto &prefix : prefixes) {
        if (const auto folder = FindWindowsFolder(prefix, DefaultClientFolder, HoldsClientFile))
            return FolderText(*folder);
    }
    return std::nullopt;
}

PlatformProbe WinePlatformProbe(PrefixSearchEnvironment environment,
                                std::function<std::string()> executableFolder)
{
    return {
        [environment] { return ClientFolderFromPrefixes(FindWinePrefixes(environment)); },
        IsRegularLocalFile,
        std::move(executableFolder),
    };
}
