#include "platform/FileTimes.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {

// 100-nanosecond ticks from 1601-01-01 to 1970-01-01.
constexpr std::int64_t TicksFrom1601To1970 = 116444736000000000LL;
constexpr std::int64_t TicksPerSecond = 10000000LL;

} // namespace

std::optional<std::int64_t> LastModifiedSeconds(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WidenUtf8(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    const auto ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32)
        | data.ftLastWriteTime.dwLowDateTime);
    return (ticks - TicksFrom1601To1970) / TicksPerSecond;
}
