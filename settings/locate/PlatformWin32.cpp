#include "locate/AppPathRegistry.h"
#include "locate/Platform.h"
#include "platform/ExecutablePath.h"
#include "platform/FileTimes.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {

bool IsRegularFile(const std::string &path)
{
    const DWORD attributes = GetFileAttributesW(WidenUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ExecutableFolder()
{
    const std::wstring path = RunningExecutablePath();
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return ".\\";
    return NarrowToUtf8(path.substr(0, separator + 1));
}

} // namespace

PlatformProbe DefaultPlatformProbe()
{
    return {[] { return ReadAppPathValue(); },
            IsRegularFile,
            ExecutableFolder,
            LastModifiedSeconds,
            {}};
}
