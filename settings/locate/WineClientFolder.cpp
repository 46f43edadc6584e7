#include "locate/WineClientFolder.h"

#include "ClientFile.h"
#include "ini/FileSystem.h"
#include "locate/FolderEntries.h"
#include "locate/WinePath.h"
#include "locate/WineRegistry.h"
#include "platform/FileTimes.h"

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

// Where a Windows folder is in the prefix, preferring the spelling under which the client file
// is found; a folder the prefix has no drive for names nothing here.
std::optional<fs::path> ResolveInPrefix(const fs::path &prefix, std::string_view windowsFolder)
{
    auto folder = FindWindowsFolder(prefix, windowsFolder, HoldsClientFile);
    if (!folder)
        folder = MapWindowsPath(prefix, windowsFolder);
    return folder;
}

// Collects what the search finds and where it looked.
class PrefixSearcher
{
public:
    // Whether the folder holds the file; it is found, and noted among the places looked, either
    // way.
    bool Look(const WinePrefix &prefix, FoundBy foundBy, std::string_view windowsFolder)
    {
        const ClientFileOrigin origin{foundBy, prefix.launcher, prefix.folder.string()};
        const auto folder
            = windowsFolder.empty() ? std::nullopt : ResolveInPrefix(prefix.folder, windowsFolder);
        const auto text = folder ? FolderText(*folder) : std::string();
        const bool holdsFile = folder && HoldsClientFile(*folder);
        m_search.looked.push_back({origin, text, std::string(windowsFolder), holdsFile});
        if (holdsFile)
            AddFound(origin, text);
        return holdsFile;
    }

    PrefixSearch Result() && { return std::move(m_search); }

private:
    void AddFound(const ClientFileOrigin &origin, const std::string &folder)
    {
        const auto path = folder + std::string(ClientFileName);
        if (m_files.Add(path))
            m_search.found.push_back({folder, path, origin, LastModifiedSeconds(path)});
    }

    PrefixSearch m_search;
    UniqueFolders m_files;
};

} // namespace

PrefixSearch SearchPrefixesForClientFile(const std::vector<WinePrefix> &prefixes)
{
    PrefixSearcher searcher;
    for (const auto &prefix : prefixes) {
        const auto appPath = ReadAppPath(prefix.folder);
        if (searcher.Look(prefix, FoundBy::Registry, appPath.value_or("")))
            continue;
        searcher.Look(prefix, FoundBy::DefaultFolder, DefaultClientFolder);
    }
    return std::move(searcher).Result();
}

PlatformProbe WinePlatformProbe(PrefixSearchEnvironment environment,
                                std::function<std::string()> executableFolder)
{
    return {
        [] { return std::optional<std::string>(); },
        IsRegularLocalFile,
        std::move(executableFolder),
        LastModifiedSeconds,
        [environment] { return SearchPrefixesForClientFile(FindLauncherPrefixes(environment)); },
    };
}
