#include "SampleClientFiles.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view NewLine = "\r\n";

DefaultsSettings SampleDefaults(int variant)
{
    const bool on = variant == 0;
    DefaultsSettings defaults;
    defaults.Flags.fill(on);
    defaults.TrackSortType = on ? TrackSortKind::Distance : TrackSortKind::RConsider;
    defaults.TrackPlayers = on ? TrackPlayersKind::Group : TrackPlayersKind::No;
    defaults.TrackFilterType = on ? 5 : 18;
    defaults.ChatLineSpacing = on ? 2 : 3;
    defaults.ChatFontSize = on ? 3 : 4;
    defaults.LastCharSel = on ? 1 : 6;
    defaults.MousePointerSpeedMod = on ? 0 : 7;
    defaults.VideoMode = on ? 2 : 4;
    defaults.VideoModeBitsPerPixel = on ? 16 : 32;
    defaults.TextureQuality = on ? 1 : 3;
    defaults.ShowNamesLevel = on ? 4 : 0;
    return defaults;
}

// A different number for every key and variant, within the range the game uses.
std::int32_t SampleNumber(int key, int variant)
{
    return 7 + (key * 37 + variant * 101) % 900;
}

std::uint8_t SampleComponent(int key, int variant)
{
    return static_cast<std::uint8_t>((key * 53 + variant * 128) % 256);
}

void SetSize(WindowLayoutEntry &entry, const WindowLayoutEntry &size)
{
    entry.h = size.h;
    entry.w = size.w;
}

WindowLayoutTable SampleLayouts(int variant)
{
    WindowLayoutTable layouts;
    int key = 0;
    for (auto &layout : layouts) {
        for (auto &entry : layout) {
            entry = {SampleNumber(key, variant),
                     SampleNumber(key + 1, variant),
                     SampleNumber(key + 2, variant),
                     SampleNumber(key + 3, variant)};
            key += 4;
        }
    }
    // These two have no size keys; a load gives them their fixed sizes.
    for (auto &layout : layouts) {
        SetSize(layout[static_cast<int>(GameWindowKind::AltAdv)], AltAdvFixedSize);
        SetSize(layout[static_cast<int>(GameWindowKind::BazaarMerchant)], BazaarMerchantFixedSize);
    }
    return layouts;
}

// The names under which the unknown sections show up, in turn.
constexpr std::array<std::string_view, 4> UnknownKinds{"Character", "Socials", "Chat", "Macros"};

// Appends one line made of these parts.
void AppendLine(std::string &text, std::initializer_list<std::string_view> parts)
{
    for (const auto part : parts)
        text += part;
    text += NewLine;
}

// One unknown section of about a kilobyte, different for every n.
std::string UnknownSection(int n)
{
    const auto kind = UnknownKinds[static_cast<std::size_t>(n) % UnknownKinds.size()];
    const std::string suffix = std::to_string(n);
    std::string text;
    AppendLine(text, {"[", kind, "_", suffix, "]"});
    if (n % 3 == 0)
        AppendLine(text, {"; written by the client, ", suffix});
    for (int key = 1; key <= 24; ++key) {
        const std::string number = std::to_string(key);
        const std::string_view trailingBlank = n % 5 == 0 ? " " : "";
        AppendLine(text,
                   {"Page",
                    number,
                    "Button",
                    suffix,
                    "Name=Entry ",
                    number,
                    " of ",
                    suffix,
                    trailingBlank});
    }
    text += NewLine;
    return text;
}

// A section header with a key of the game's own that the editor never reads.
std::string SectionStub(std::string_view name, int n)
{
    std::string text;
    AppendLine(text, {"[", name, "]"});
    AppendLine(text, {"LastWrittenBy", std::to_string(n), "=client"});
    return text;
}

// In the order the game writes them; [Servers] is one of its own that the editor never reads.
constexpr std::array<std::string_view, 11> StubSections{"Defaults",
                                                        "TextColors",
                                                        "KeyMaps",
                                                        "WindowColors",
                                                        "Windows1600",
                                                        "Windows1280",
                                                        "Windows1024",
                                                        "Windows800",
                                                        "Windows640",
                                                        "BagPositions",
                                                        "Servers"};

// The bytes the known keys add to a file: measured by saving them into an empty one.
std::size_t KnownKeysBytes(const std::string &scratch, const ClientSettings &settings)
{
    std::filesystem::remove(scratch);
    if (SaveAllSections(scratch, settings))
        return 0;
    const auto bytes = std::filesystem::file_size(scratch);
    std::filesystem::remove(scratch);
    return static_cast<std::size_t>(bytes);
}

// The skeleton: the header comments, then the unknown sections with the section stubs
// spread evenly between them.
std::string Skeleton(std::size_t targetBytes)
{
    std::string head;
    AppendLine(head, {"; Duskmarch client settings"});
    head += NewLine;
    std::vector<std::string> unknown;
    std::size_t bytes = head.size();
    for (const auto name : StubSections)
        bytes += SectionStub(name, 0).size();
    while (bytes < targetBytes) {
        unknown.push_back(UnknownSection(static_cast<int>(unknown.size())));
        bytes += unknown.back().size();
    }
    std::string text = head;
    std::size_t nextUnknown = 0;
    for (std::size_t known = 0; known < StubSections.size(); ++known) {
        const std::size_t until = unknown.size() * known / StubSections.size();
        for (; nextUnknown < until; ++nextUnknown)
            text += unknown[nextUnknown];
        text += SectionStub(StubSections[known], static_cast<int>(known));
        text += NewLine;
    }
    for (; nextUnknown < unknown.size(); ++nextUnknown)
        text += unknown[nextUnknown];
    return text;
}

} // namespace

ClientSettings SampleSettings(int variant)
{
    ClientSettings settings;
    settings.Defaults = SampleDefaults(variant);
    int key = 0;
    for (auto &bag : settings.BagPositions) {
        bag = {SampleNumber(key, variant), SampleNumber(key + 1, variant)};
        key += 2;
    }
    settings.WindowLayouts = SampleLayouts(variant);
    for (auto &entry : settings.WindowColors) {
        entry.color = {SampleComponent(key, variant),
                       SampleComponent(key + 1, variant),
                       SampleComponent(key + 2, variant)};
        entry.trans = 1 + (key + variant) % 4;
        key += 3;
    }
    int binding = 0;
    for (auto &text : settings.KeyMaps)
        text = (variant == 0 ? "CTRL+" : "ALT+") + std::to_string(binding++);
    for (auto &color : settings.UserColors) {
        color = {SampleComponent(key, variant),
                 SampleComponent(key + 1, variant),
                 SampleComponent(key + 2, variant)};
        key += 3;
    }
    return settings;
}

std::size_t WriteSampleClientFile(const std::string &path,
                                  std::size_t targetBytes,
                                  const ClientSettings &settings)
{
    const std::size_t knownBytes = KnownKeysBytes(path, settings);
    if (knownBytes == 0)
        return 0;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << Skeleton(targetBytes > knownBytes ? targetBytes - knownBytes : 0);
        if (!out)
            return 0;
    }
    // The known keys go in through our own save, each at the end of its section.
    if (SaveAllSections(path, settings))
        return 0;
    return static_cast<std::size_t>(std::filesystem::file_size(path));
}
