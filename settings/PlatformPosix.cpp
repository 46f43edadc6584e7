#include "Platform.h"

#include <filesystem>
#include <system_error>

namespace {

std::string RunningExecutableFolder()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return executable.parent_path().string() + '/';
}

} // namespace

PlatformProbe DefaultPlatformProbe()
{
    return {
        // There is no registry here.
        [] { return std::optional<std::string>(); },
        [](const std::string &path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        },
        RunningExecutableFolder,
    };
}
