#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

// The names in a folder, in byte order; empty when the folder cannot be read. An empty or
// relative path lists nothing, so a missing home never turns into the current folder.
std::vector<std::string> FolderEntryNames(const std::filesystem::path &folder);

// The folders in a folder (links to folders included), in the order of their names.
std::vector<std::filesystem::path> Subfolders(const std::filesystem::path &folder);

// Folders kept in the order they were added, each real folder once however many links led to it.
class UniqueFolders
{
public:
    // False when the same folder is already there.
    bool Add(const std::filesystem::path &folder);
    const std::vector<std::filesystem::path> &Folders() const { return m_folders; }

private:
    std::vector<std::filesystem::path> m_folders;
    std::set<std::filesystem::path> m_identities;
};
