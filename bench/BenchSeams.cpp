#include "BenchSeams.h"

#include <optional>

Seams SeamsOverFolder(const std::string &folder)
{
    Seams seams = DefaultSeams();
    seams.platform.readAppPathValue = [] { return std::optional<std::string>(); };
    seams.platform.executableFolder = [folder] { return folder; };
    seams.platform.searchWinePrefixes = {};
    return seams;
}
