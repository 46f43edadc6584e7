#include "platform/ExecutablePath.h"
#include "platform/VersionInfo.h"
#include "platform/WideText.h"

#include <cwchar>
#include <windows.h>

namespace {

std::optional<VersionStrings> ReadStrings(const std::wstring &file,
                                          const std::vector<std::string> &queries)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data()))
        return std::nullopt;
    VersionStrings found;
    for (const auto &query : queries) {
        void *value = nullptr;
        UINT length = 0; // in characters, for a text
        if (VerQueryValueW(block.data(), WidenUtf8(query).c_str(), &value, &length) && value) {
            const auto *text = static_cast<const wchar_t *>(value);
            found.emplace(query, NarrowToUtf8(std::wstring_view(text, wcsnlen(text, length))));
        }
    }
    return found;
}

} // namespace

std::optional<VersionStrings> ReadVersionStrings(const std::string &file,
                                                 const std::vector<std::string> &queries)
{
    return ReadStrings(WidenUtf8(file), queries);
}

std::optional<VersionStrings> ReadOwnVersionStrings(const std::vector<std::string> &queries)
{
    return ReadStrings(RunningExecutablePath(), queries);
}
