#include "locate/LocationReport.h"

#include "ClientFile.h"

#include <ctime>

namespace {

std::string FoundByText(FoundBy foundBy)
{
    switch (foundBy) {
    case FoundBy::Registry:
        return "registry entry";
    case FoundBy::DefaultFolder:
        return "default folder";
    case FoundBy::Named:
        return "named by you";
    case FoundBy::ProgramFolder:
        break;
    }
    return "program's own folder";
}

std::string OriginText(const ClientFileOrigin &origin)
{
    auto text = FoundByText(origin.foundBy);
    if (!origin.prefix.empty())
        text += ", " + origin.launcher + " prefix " + origin.prefix;
    return text;
}

std::string LookedFolderText(const LookedPlace &place)
{
    if (place.folder.empty())
        return place.windowsFolder.empty() ? "no entry for the game"
                                           : place.windowsFolder + " (names no folder here)";
    auto text = place.windowsFolder.empty() || place.windowsFolder == place.folder
                    ? place.folder
                    : place.windowsFolder + " = " + place.folder;
    if (!place.holdsFile)
        text += " (no " + std::string(ClientFileName) + ")";
    return text;
}

std::string AbsenceText(const ClientFileLocation &location)
{
    if (location.chosen.origin.foundBy == FoundBy::Named)
        return "  named by you; it does not exist yet";
    return "  no " + std::string(ClientFileName) + " found; this is the program's own folder";
}

} // namespace

std::string ModifiedText(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &time) != 0)
        return "?";
#else
    if (localtime_r(&time, &local) == nullptr)
        return "?";
#endif
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local));
}

std::string CandidateDescription(const ClientFileCandidate &candidate)
{
    auto text = OriginText(candidate.origin);
    if (candidate.modified)
        text += ", modified " + ModifiedText(*candidate.modified);
    return text;
}

std::vector<std::string> LookedLines(const ClientFileLocation &location)
{
    std::vector<std::string> lines;
    for (const auto &place : location.looked)
        lines.push_back(OriginText(place.origin) + ": " + LookedFolderText(place));
    return lines;
}

std::vector<std::string> LocationReportLines(const ClientFileLocation &location)
{
    std::vector<std::string> lines{location.chosen.path};
    lines.push_back(location.exists ? "  " + CandidateDescription(location.chosen)
                                    : AbsenceText(location));
    const auto others = location.Others();
    if (!others.empty())
        lines.push_back("Also found:");
    for (const auto &other : others) {
        lines.push_back("  " + other.path);
        lines.push_back("    " + CandidateDescription(other));
    }
    if (!location.exists && location.chosen.origin.foundBy != FoundBy::Named) {
        lines.push_back("Looked in:");
        for (const auto &line : LookedLines(location))
            lines.push_back("  " + line);
    }
    return lines;
}

std::string LocationReportText(const ClientFileLocation &location)
{
    std::string text;
    for (const auto &line : LocationReportLines(location))
        text += line + '\n';
    return text;
}
