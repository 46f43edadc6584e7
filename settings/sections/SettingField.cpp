#include "sections/SettingField.h"

#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"
#include "ini/SuppUnit.h"

#include <algorithm>
#include <charconv>
#include <span>

namespace {

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

// The file's value is taken by reference here and below: a copy of an optional view goes
// through memory, and these run for every key a load reads.
bool LoadedFlag(const Setting &setting, const std::optional<std::string_view> &text)
{
    switch (setting.encoding) {
    case SettingEncoding::ScreenWords:
        return EqualsIgnoringAsciiCase(text.value_or("NORMAL"), "FULL");
    case SettingEncoding::DigitFlag:
        return DigitFlagFromText(text, setting.defaultText == "1");
    default:
        return TrueFalseFromText(text, setting.defaultText == "TRUE");
    }
}

std::int32_t LoadedNumber(const Setting &setting, const std::optional<std::string_view> &text)
{
    // Parsed only when needed: most keys are in the file.
    if (setting.encoding == SettingEncoding::OffLevel)
        return OffLevelFromText(text, text ? 0 : DefaultNumber(setting));
    if (text) {
        if (const auto number = ParseInteger(*text))
            return *number;
    }
    return DefaultNumber(setting);
}

// FieldOf(), inline: a load finds each field and stores into it in one go.
inline SettingField FieldIn(const SectionRecords &records, const Setting &setting)
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

// Appends the spelling of one field as a save writes it.
struct Speller
{
    const Setting &setting;
    std::string &out;

    bool Append(std::string_view text) const
    {
        out += text;
        return true;
    }
    bool AppendNumber(std::int32_t number) const
    {
        char digits[12]; // "-2147483648"
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return Append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    // A value without a word writes nothing.
    template<typename Kind>
    bool AppendWord(Kind value, std::span<const std::string_view> words) const
    {
        const auto index = static_cast<std::size_t>(value);
        return index < words.size() && Append(words[index]);
    }

    bool operator()(bool *flag) const
    {
        switch (setting.encoding) {
        case SettingEncoding::ScreenWords:
            return AppendWord(*flag, ScreenWords);
        case SettingEncoding::DigitFlag:
            return AppendWord(*flag, DigitFlagWords);
        default:
            return AppendWord(*flag, TrueFalseWords);
        }
    }
    bool operator()(std::int32_t *number) const
    {
        if (setting.encoding == SettingEncoding::OffLevel)
            return *number >= 0 && AppendWord(*number, OffLevelWords);
        return AppendNumber(*number);
    }
    bool operator()(std::uint8_t *component) const { return AppendNumber(*component); }
    bool operator()(TrackSortKind *kind) const { return AppendWord(*kind, TrackSortWords); }
    bool operator()(TrackPlayersKind *kind) const { return AppendWord(*kind, TrackPlayersWords); }
    bool operator()(std::string *binding) const { return Append(*binding); }
};

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
    return FieldIn(records, setting);
}

bool AppendSavedText(const SettingField &field, const Setting &setting, std::string &out)
{
    return std::visit(Speller{setting, out}, field);
}

// The field is found here, not handed in, for the reason LoadFileValue() gives below.
bool AppendSavedText(const SectionRecords &records, const Setting &setting, std::string &out)
{
    return std::visit(Speller{setting, out}, FieldIn(records, setting));
}

std::optional<std::string> SavedText(const SettingField &field, const Setting &setting)
{
    std::string text;
    if (!AppendSavedText(field, setting, text))
        return std::nullopt;
    return text;
}

// The field is found here rather than handed in: returned from a call of its own, the variant
// goes through memory for every key a load reads.
void LoadFileValue(const SectionRecords &records,
                   const Setting &setting,
                   const std::optional<std::string_view> &fileValue)
{
    struct Store
    {
        const Setting &setting;
        const std::optional<std::string_view> &text;
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
    std::visit(Store{setting, fileValue}, FieldIn(records, setting));
}
