#include "locate/FolderEntries.h"

#include <algorithm>
#include <system_error>

std::vector<std::string> FolderEntryNames(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    if (!folder.is_absolute())
        return names;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        names.push_back(entry->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::filesystem::path> Subfolders(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> folders;
    for (const auto &name : FolderEntryNames(folder)) {
        std::error_code error;
        if (std::filesystem::is_directory(folder / name, error))
            folders.push_back(folder / name);
    }
    return folders;
}

bool UniqueFolders::Add(const std::filesystem::path &folder)
{
    std::error_code error;
    auto identity = std::filesystem::canonical(folder, error);
    if (error)
        identity = folder.lexically_normal();
    if (!m_identities.insert(identity).second)
        return false;
    m_folders.push_back(folder);
    return true;
}
