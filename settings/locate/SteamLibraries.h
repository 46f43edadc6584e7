#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Steam's library folders, where its Proton prefixes live.

// The library paths a "libraryfolders.vdf" lists, in its order: the "path" of each entry of
// "libraryfolders" (and, from older files, each numbered entry's text). Empty when the text is
// not well-formed KeyValues: quoted strings, braces and "//" comments.
std::vector<std::string> ParseLibraryFolders(std::string_view vdfText);

// Every library of the Steam installations at these folders, each once: an installation's own
// folder first, then the libraries its "libraryfolders.vdf" lists.
std::vector<std::filesystem::path>
FindSteamLibraries(const std::vector<std::filesystem::path> &steamRoots);
