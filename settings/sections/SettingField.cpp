#include "sections/SettingField.h"

#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"

#include <algorithm>
#include <span>

namespace {

constexpr std::int32_t HighestNameLevel = 4;

std::uint8_t &Component(RgbColor &color, SettingRole role)
{
    return role == SettingRole::Red     ? color.red
           : role == SettingRole::Green ? color.green
                                        : color.blue;
}

std::int32_t &Coordinate(WindowLayoutEntry &entry, SettingRole role)
{
    switch (role) {
    case SettingRole::X:
        return entry.x;
    case SettingRole::Y:
        return entry.y;
    case SettingRole::Width:
        return entry.w;
    default:
        return entry.h;
    }
}

SettingField DefaultsField(DefaultsSettings &defaults, const Setting &setting)
{
    switch (setting.encoding) {
    case SettingEncoding::TrackSortWord:
        return &defaults.TrackSortType;
    case SettingEncoding::TrackPlayersWord:
        return &defaults.TrackPlayers;
    case SettingEncoding::Number:
    case SettingEncoding::OffLevel:
        return &(defaults.*setting.number);
    default:
        return &defaults.Flag(static_cast<DefaultsFlag>(setting.item));
    }
}

SettingField WindowColorField(WindowColorEntry &entry, SettingRole role)
{
    if (role == SettingRole::Transparency)
        return &entry.trans;
    return &Component(entry.color, role);
}

SettingField BagField(BagPosition &position, SettingRole role)
{
    return role == SettingRole::X ? &position.x : &position.y;
}

std::int32_t DefaultNumber(const Setting &setting)
{
    return ParseInteger(setting.defaultText).value_or(0);
}

template<typename Kind>
void MatchWord(Kind *field, std::span<const std::string_view> words, std::string_view text)
{
    const auto found = std::find(words.begin(), words.end(), text);
    if (found != words.end())
        *field = static_cast<Kind>(found - words.begin());
}

template<typename Kind>
std::optional<std::string> WordOf(Kind value, std::span<const std::string_view> words)
{
    const auto index = static_cast<std::size_t>(value);
    if (index >= words.size())
        return std::nullopt;
    return std::string(words[index]);
}

std::optional<std::string> OffLevelText(std::int32_t level)
{
    if (level < 0 || level > HighestNameLevel)
        return std::nullopt;
    return std::string(OffLevelWords[static_cast<std::size_t>(level)]);
}

bool LoadedFlag(const Setting &setting, std::optional<std::string_view> text)
{
    switch (setting.encoding) {
    case SettingEncoding::ScreenWords:
        return EqualsIgnoringAsciiCase(text.value_or("NORMAL"), "FULL");
    case SettingEncoding::DigitFlag: {
        const bool byDefault = setting.defaultText == "1";
        return text ? ParseInteger(*text).value_or(byDefault) != 0 : byDefault;
    }
    default:
        return text ? EqualsIgnoringAsciiCase(*text, "TRUE") : setting.defaultText == "TRUE";
    }
}

std::int32_t LoadedNumber(const Setting &setting, std::optional<std::string_view> text)
{
    if (setting.encoding == SettingEncoding::OffLevel) {
        const std::string_view level = text.value_or(setting.defaultText);
        if (level == "OFF")
            return 0;
        const auto number = ParseInteger(level);
        return number ? std::clamp(*number, 0, HighestNameLevel) : HighestNameLevel;
    }
    return text ? ParseInteger(*text).value_or(DefaultNumber(setting)) : DefaultNumber(setting);
}

} // namespace

SectionRecords AllRecords(ClientSettings &settings)
{
    return {&settings.Defaults,
            &settings.BagPositions,
            &settings.WindowLayouts,
            &settings.WindowColors,
            &settings.KeyMaps,
            &settings.UserColors};
}

SettingField FieldOf(const SectionRecords &records, const Setting &setting)
{
    switch (setting.page) {
    case SettingPage::TextColors:
        return &Component((*records.userColors)[setting.item], setting.role);
    case SettingPage::Containers:
        return BagField((*records.bagPositions)[setting.item], setting.role);
    case SettingPage::KeyMaps:
        return &(*records.keyMaps)[setting.item];
    case SettingPage::Windows:
        if (setting.resolution != 0)
            return &Coordinate((*records.windowLayouts)[setting.resolution][setting.item],
                               setting.role);
        if (setting.section == "WindowColors")
            return WindowColorField((*records.windowColors)[setting.item], setting.role);
        return DefaultsField(*records.defaults, setting);
    default:
        return DefaultsField(*records.defaults, setting);
    }
}

std::optional<std::string> SavedText(const SettingField &field, const Setting &setting)
{
    struct Spell
    {
        const Setting &setting;
        std::optional<std::string> operator()(bool *flag) const
        {
            const auto index = static_cast<std::size_t>(*flag);
            switch (setting.encoding) {
            case SettingEncoding::ScreenWords:
                return std::string(ScreenWords[index]);
            case SettingEncoding::DigitFlag:
                return std::string(DigitFlagWords[index]);
            default:
                return std::string(TrueFalseWords[index]);
            }
        }
        std::optional<std::string> operator()(std::int32_t *number) const
        {
            if (setting.encoding == SettingEncoding::OffLevel)
                return OffLevelText(*number);
            return std::to_string(*number);
        }
        std::optional<std::string> operator()(std::uint8_t *component) const
        {
            return std::to_string(*component);
        }
        std::optional<std::string> operator()(TrackSortKind *kind) const
        {
            return WordOf(*kind, TrackSortWords);
        }
        std::optional<std::string> operator()(TrackPlayersKind *kind) const
        {
            return WordOf(*kind, TrackPlayersWords);
        }
        std::optional<std::string> operator()(std::string *binding) const { return *binding; }
    };
    return std::visit(Spell{setting}, field);
}

void LoadFileValue(const SettingField &field,
                   const Setting &setting,
                   std::optional<std::string_view> fileValue)
{
    struct Store
    {
        const Setting &setting;
        std::optional<std::string_view> text;
        void operator()(bool *flag) const { *flag = LoadedFlag(setting, text); }
        void operator()(std::int32_t *number) const { *number = LoadedNumber(setting, text); }
        // A colour component keeps the low 8 bits of the number read: 300 is 44, -1 is 255.
        void operator()(std::uint8_t *component) const
        {
            *component = static_cast<std::uint8_t>(LoadedNumber(setting, text));
        }
        // The sort words are matched in capitals only, the players words in any letter case.
        void operator()(TrackSortKind *kind) const
        {
            MatchWord(kind, TrackSortWords, text.value_or(setting.defaultText));
        }
        void operator()(TrackPlayersKind *kind) const
        {
            MatchWord(kind, TrackPlayersWords, AsciiUpper(text.value_or(setting.defaultText)));
        }
        void operator()(std::string *binding) const
        {
            *binding = text.value_or(setting.defaultText);
        }
    };
    std::visit(Store{setting, fileValue}, field);
}
