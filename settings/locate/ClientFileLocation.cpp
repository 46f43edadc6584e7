#include "locate/ClientFileLocation.h"

#include "ClientFile.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace {

bool EndsWithSeparator(const std::string &folder)
{
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

std::optional<std::int64_t>
ModifiedIfThere(const PlatformProbe &probe, const std::string &path, bool exists)
{
    return exists && probe.lastModified ? probe.lastModified(path) : std::nullopt;
}

// Looks in the folder; it becomes the location when it holds the file.
bool LookIn(const PlatformProbe &probe,
            ClientFileLocation &location,
            const std::string &folder,
            const std::string &windowsFolder,
            FoundBy foundBy)
{
    const ClientFileOrigin origin{foundBy, {}, {}};
    const auto path = folder + std::string(ClientFileName);
    location.exists = probe.isRegularFile(path);
    const auto modified = ModifiedIfThere(probe, path, location.exists);
    location.chosen = {folder, path, origin, modified};
    location.looked.push_back({origin, folder, windowsFolder, location.exists});
    if (location.exists)
        location.found.push_back(location.chosen);
    return location.exists;
}

// The executable's folder, whether or not it holds the file.
void UseProgramFolder(const PlatformProbe &probe, ClientFileLocation &location)
{
    LookIn(probe, location, probe.executableFolder(), {}, FoundBy::ProgramFolder);
}

// The registry (or the built-in default) folder, then the program's folder, as Windows has it.
ClientFileLocation LocateWithRegistry(const PlatformProbe &probe)
{
    ClientFileLocation location;
    std::string folder(DefaultClientFolder);
    FoundBy foundBy = FoundBy::DefaultFolder;
    if (const auto appPath = probe.readAppPathValue()) {
        folder = *appPath;
        if (!EndsWithSeparator(folder))
            folder += '\\';
        foundBy = FoundBy::Registry;
    } else {
        location.looked.push_back({{FoundBy::Registry, {}, {}}, {}, {}, false});
    }
    if (!LookIn(probe, location, folder, folder, foundBy))
        UseProgramFolder(probe, location);
    return location;
}

ClientFileLocation LocateInWinePrefixes(const PlatformProbe &probe)
{
    auto search = probe.searchWinePrefixes();
    ClientFileLocation location;
    location.looked = std::move(search.looked);
    if (search.found.empty()) {
        UseProgramFolder(probe, location);
        return location;
    }
    location.found = std::move(search.found);
    location.chosen = location.found[BestCandidate(location.found)];
    location.exists = true;
    return location;
}

} // namespace

std::vector<ClientFileCandidate> ClientFileLocation::Others() const
{
    std::vector<ClientFileCandidate> others;
    std::copy_if(found.begin(), found.end(), std::back_inserter(others), [this](const auto &file) {
        return file.path != chosen.path;
    });
    return others;
}

ClientFileLocation LocateClientFile(const PlatformProbe &probe)
{
    return probe.searchWinePrefixes ? LocateInWinePrefixes(probe) : LocateWithRegistry(probe);
}

ClientFileLocation
WithNamedFile(ClientFileLocation location, const std::string &path, const PlatformProbe &probe)
{
    location.exists = probe.isRegularFile(path);
    const auto known = std::find_if(location.found.begin(),
                                    location.found.end(),
                                    [&path](const auto &file) { return file.path == path; });
    if (known != location.found.end() && location.exists) {
        location.chosen = *known; // how the search found it says more than "named"
        return location;
    }
    const auto separator = path.find_last_of("\\/");
    const auto folder
        = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    const auto modified = ModifiedIfThere(probe, path, location.exists);
    location.chosen = {folder, path, {FoundBy::Named, {}, {}}, modified};
    if (known != location.found.end())
        location.found.erase(known);
    if (location.exists)
        location.found.insert(location.found.begin(), location.chosen);
    return location;
}

std::size_t BestCandidate(const std::vector<ClientFileCandidate> &candidates)
{
    const auto rank = [](const ClientFileCandidate &file) {
        return std::tuple(file.origin.foundBy == FoundBy::Registry,
                          file.modified.has_value(),
                          file.modified.value_or(0));
    };
    std::size_t best = 0;
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        if (rank(candidates[best]) < rank(candidates[i]))
            best = i;
    }
    return best;
}
