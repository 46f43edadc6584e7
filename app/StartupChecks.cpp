#include "StartupChecks.h"

#include "ini/FileSystem.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

bool IsSet(const EnvironmentLookup &environment, const char *name)
{
    const char *value = environment(name);
    return value && *value;
}

// Whether one of the platform names QT_QPA_PLATFORM may list, "name:options", can start.
bool PlatformMayStart(std::string_view platform, const EnvironmentLookup &environment)
{
    const std::string_view name = platform.substr(0, platform.find(':'));
    if (name == "xcb")
        return IsSet(environment, "DISPLAY");
    if (name.substr(0, 7) == "wayland")
        return IsSet(environment, "WAYLAND_DISPLAY");
    return !name.empty();
}

} // namespace

std::optional<std::string> ClientFileProblem(const std::string &file)
{
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return "it is a folder";
    switch (RealFileSystem().Read(file).outcome) {
    case FileRead::Outcome::Read:
        return std::nullopt;
    case FileRead::Outcome::Failed:
        return "it cannot be read";
    case FileRead::Outcome::Missing:
        break;
    }
    const auto folder = std::filesystem::path(file).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        return "its folder does not exist";
    return std::nullopt;
}

std::string ClientFileProblemText(const std::string &file, const std::string &problem)
{
    return "vezaz: cannot edit '" + file + "': " + problem + "\n";
}

bool DisplayMayOpen(const EnvironmentLookup &environment)
{
#if defined(__linux__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
    const char *chosen = environment("QT_QPA_PLATFORM");
    if (!chosen || !*chosen)
        return IsSet(environment, "DISPLAY") || IsSet(environment, "WAYLAND_DISPLAY");
    // A list separated by ";" is tried in order.
    std::string_view platforms(chosen);
    for (;;) {
        const auto end = platforms.find(';');
        if (PlatformMayStart(platforms.substr(0, end), environment))
            return true;
        if (end == std::string_view::npos)
            return false;
        platforms.remove_prefix(end + 1);
    }
#else
    (void) environment;
    return true;
#endif
}

std::string NoDisplayText()
{
    return "vezaz: cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set\n";
}
