#pragma once

#include <cstdint>
#include <optional>
#include <string>

// When the file at the path (UTF-8) was last written, in seconds since 1970-01-01 UTC; nullopt
// when there is no such file or its times cannot be read.
std::optional<std::int64_t> LastModifiedSeconds(const std::string &path);
