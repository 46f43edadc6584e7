#include "platform/FileTimes.h"

#include <sys/stat.h>

std::optional<std::int64_t> LastModifiedSeconds(const std::string &path)
{
    struct stat status
    {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(status.st_mtime);
}
