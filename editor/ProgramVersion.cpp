#include "ProgramVersion.h"

#include "VersionStrings.h"

#include <vector>

#ifdef _WIN32
#include "platform/VersionInfo.h"
#endif

namespace {

constexpr std::string_view StringsBlockPath = "\\StringFileInfo\\040904E4\\";

} // namespace

std::string VersionQuery(std::string_view entry)
{
    return std::string(StringsBlockPath) + std::string(entry);
}

std::optional<VersionBlock> ReadOwnVersionBlock()
{
#ifdef _WIN32
    std::vector<std::string> queries;
    for (const auto &[entry, value] : EmbeddedVersionStrings)
        queries.push_back(VersionQuery(entry));
    return ReadOwnVersionStrings(queries);
#else
    VersionBlock block;
    for (const auto &[entry, value] : EmbeddedVersionStrings)
        block.emplace(VersionQuery(entry), std::string(value));
    return block;
#endif
}

std::optional<std::string> FileVersionOf(const std::optional<VersionBlock> &block)
{
    if (!block)
        return std::nullopt;
    const auto found = block->find(VersionQuery("FileVersion"));
    if (found == block->end())
        return std::nullopt;
    return found->second;
}

std::optional<std::string> ReadFileVersion(const Seams &seams)
{
    return FileVersionOf(seams.readVersionBlock());
}

std::string FileVersionOrUnknown(const std::optional<VersionBlock> &block)
{
    return FileVersionOf(block).value_or(UnknownVersion);
}

QString VersionLabelText(const std::optional<VersionBlock> &block)
{
    if (!block)
        return QStringLiteral("Unknown - I forgot to add version info to this build. Oops.");
    return QString::fromStdString(FileVersionOrUnknown(block));
}
