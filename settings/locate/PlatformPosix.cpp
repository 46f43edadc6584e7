#include "locate/Platform.h"
#include "locate/WineClientFolder.h"

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
    // The game runs under Wine here; its registry is that of the prefixes.
    return WinePlatformProbe(ProcessPrefixSearchEnvironment(), RunningExecutableFolder);
}
