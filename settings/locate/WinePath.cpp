#include "locate/WinePath.h"

#include "ini/AsciiCase.h"
#include "locate/FolderEntries.h"

#include <algorithm>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct WindowsPath
{
    char drive = 'c';
    std::vector<std::string> components; // without "." and "..", which are resolved here
};

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

void AddComponent(std::vector<std::string> &components, const std::string &component)
{
    if (component == "..") {
        if (!components.empty())
            components.pop_back();
    } else if (!component.empty() && component != ".") {
        components.push_back(component);
    }
}

// "X:", "X:\" or "X:\a\b", with either slash; no relative or network paths.
std::optional<WindowsPath> ParseWindowsPath(std::string_view text)
{
    const bool hasDrive = text.size() >= 2 && AsciiUpper(text[0]) >= 'A'
                          && AsciiUpper(text[0]) <= 'Z' && text[1] == ':';
    if (!hasDrive || (text.size() > 2 && !IsSeparator(text[2])))
        return std::nullopt;
    WindowsPath parsed{AsciiLower(text[0]), {}};
    std::string component;
    for (const char c : text.substr(2)) {
        if (!IsSeparator(c)) {
            component += c;
            continue;
        }
        AddComponent(parsed.components, component);
        component.clear();
    }
    AddComponent(parsed.components, component);
    return parsed;
}

struct ShortName
{
    std::string stem;      // NAME of "NAME~N"
    std::string extension; // EXT of "NAME~N.EXT"
    bool hasExtension = false;
    std::size_t ordinal = 0;
};

std::optional<ShortName> ParseShortName(std::string_view component)
{
    const auto upper = AsciiUpper(component);
    const auto dot = upper.find('.');
    const std::string base = upper.substr(0, dot);
    ShortName name;
    name.hasExtension = dot != std::string::npos;
    name.extension = name.hasExtension ? upper.substr(dot + 1) : "";
    const auto tilde = base.find('~');
    if (tilde == 0 || tilde == std::string::npos || base.size() > 8)
        return std::nullopt;
    if (name.hasExtension
        && (name.extension.empty() || name.extension.size() > 3
            || name.extension.find('.') != std::string::npos))
        return std::nullopt;
    const auto digits = base.substr(tilde + 1);
    if (digits.empty() || digits.front() == '0'
        || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    name.stem = base.substr(0, tilde);
    name.ordinal = std::stoul(digits);
    return name;
}

// A long name as the letters its short name is made from: upper-cased, without blanks, dots
// and the characters a short name cannot hold.
std::string ShortNameLetters(std::string_view longName)
{
    constexpr std::string_view Dropped = " .\"*+,/:;<=>?[\\]|";
    std::string letters;
    for (const char c : longName) {
        if (Dropped.find(c) == std::string_view::npos)
            letters += AsciiUpper(c);
    }
    return letters;
}

bool ShortNameFits(const ShortName &name, std::string_view longName)
{
    if (!name.hasExtension)
        return ShortNameLetters(longName).starts_with(name.stem);
    const auto dot = longName.rfind('.');
    return dot != std::string_view::npos
           && ShortNameLetters(longName.substr(0, dot)).starts_with(name.stem)
           && ShortNameLetters(longName.substr(dot + 1)).substr(0, 3) == name.extension;
}

// The entries of a folder in the order short names are counted in: by name, ignoring case.
std::vector<std::string> NamesInShortNameOrder(const fs::path &folder)
{
    auto names = FolderEntryNames(folder);
    std::stable_sort(names.begin(), names.end(), [](const auto &a, const auto &b) {
        return AsciiUpper(a) < AsciiUpper(b);
    });
    return names;
}

std::optional<std::string> ShortNameMatch(const std::vector<std::string> &names,
                                          std::string_view component)
{
    const auto shortName = ParseShortName(component);
    if (!shortName)
        return std::nullopt;
    std::size_t count = 0;
    for (const auto &name : names) {
        if (ShortNameFits(*shortName, name) && ++count == shortName->ordinal)
            return name;
    }
    return std::nullopt;
}

// The folders a component may name in a folder, best first: exact, other case, short name.
std::vector<fs::path> ComponentCandidates(const fs::path &folder, const std::string &component)
{
    const auto names = NamesInShortNameOrder(folder);
    std::vector<std::string> chosen{component};
    for (const auto &name : names) {
        if (name != component && EqualsIgnoringAsciiCase(name, component))
            chosen.push_back(name);
    }
    if (const auto shortMatch = ShortNameMatch(names, component))
        chosen.push_back(*shortMatch);

    std::vector<fs::path> candidates;
    for (auto name = chosen.begin(); name != chosen.end(); ++name) {
        std::error_code error;
        const bool repeated = std::find(chosen.begin(), name, *name) != name;
        if (!repeated && fs::is_directory(folder / *name, error))
            candidates.push_back(folder / *name);
    }
    return candidates;
}

// Depth first, so a candidate under which the rest of the path does not lead anywhere accepted
// gives way to the next one.
std::optional<fs::path> Search(const fs::path &folder,
                               std::span<const std::string> rest,
                               const std::function<bool(const fs::path &)> &accept)
{
    if (rest.empty())
        return accept(folder) ? std::optional(folder) : std::nullopt;
    for (const auto &candidate : ComponentCandidates(folder, rest.front())) {
        if (auto found = Search(candidate, rest.subspan(1), accept))
            return found;
    }
    return std::nullopt;
}

} // namespace

std::optional<fs::path> WineDriveFolder(const fs::path &prefix, char driveLetter)
{
    const auto link = prefix / "dosdevices" / (std::string(1, AsciiLower(driveLetter)) + ':');
    std::error_code error;
    auto folder = link;
    if (fs::is_symlink(link, error)) {
        const auto target = fs::read_symlink(link, error);
        if (error)
            return std::nullopt;
        folder = target.is_absolute() ? target : (link.parent_path() / target).lexically_normal();
    }
    if (!fs::is_directory(folder, error))
        return std::nullopt;
    return folder;
}

std::optional<fs::path> FindWindowsFolder(const fs::path &prefix,
                                          std::string_view windowsFolder,
                                          const std::function<bool(const fs::path &)> &accept)
{
    const auto parsed = ParseWindowsPath(windowsFolder);
    const auto drive = parsed ? WineDriveFolder(prefix, parsed->drive) : std::nullopt;
    if (!drive)
        return std::nullopt;
    return Search(*drive, parsed->components, accept);
}

std::optional<fs::path> MapWindowsPath(const fs::path &prefix, std::string_view windowsPath)
{
    const auto parsed = ParseWindowsPath(windowsPath);
    auto folder = parsed ? WineDriveFolder(prefix, parsed->drive) : std::nullopt;
    if (!folder)
        return std::nullopt;
    for (const auto &component : parsed->components)
        *folder /= component;
    return folder;
}
