// Reading and changing one catalogue setting in the records, as text.
#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"
#include "ini/ProfileText.h"
#include "sections/SettingCatalogue.h"
#include "sections/SettingField.h"

#include <algorithm>

namespace {

SettingField FieldIn(const ClientSettings &settings, const Setting &setting)
{
    // Only read through: the field functions take one pointer type for reads and writes.
    return FieldOf(AllRecords(const_cast<ClientSettings &>(settings)), setting);
}

const std::string *BindingIn(const SettingField &field)
{
    const auto *binding = std::get_if<std::string *>(&field);
    return binding ? *binding : nullptr;
}

// Every field but a binding as a number: flags 0/1, enumerations their value.
std::int64_t NumberIn(const SettingField &field)
{
    return std::visit(
        [](auto *value) -> std::int64_t {
            if constexpr (std::is_same_v<decltype(value), std::string *>)
                return 0;
            else
                return static_cast<std::int64_t>(*value);
        },
        field);
}

void StoreNumber(const SettingField &field, std::int32_t number)
{
    std::visit(
        [number](auto *value) {
            using Value = std::remove_pointer_t<decltype(value)>;
            if constexpr (!std::is_same_v<Value, std::string>)
                *value = static_cast<Value>(number);
        },
        field);
}

std::string JoinChoices(std::span<const std::string_view> choices)
{
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0)
            text += i + 1 == choices.size() ? " or " : ", ";
        text += choices[i];
    }
    return text;
}

std::string Refusal(const Setting &setting, std::string_view allowed, std::string_view text)
{
    return setting.id + " takes " + std::string(allowed) + ", not \"" + std::string(text) + "\"";
}

// A binding the file gives back as it was: one line, no blanks the read would strip.
bool IsStorableBinding(std::string_view text)
{
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return false;
    return text.empty() || (!IsProfileBlank(text.front()) && !IsProfileBlank(text.back()));
}

// The index of text in the setting's choices; the words in any letter case, numbers exactly.
std::optional<std::int32_t> ChoiceIndex(const Setting &setting, std::string_view text)
{
    const auto &choices = setting.choices;
    const auto found = std::find_if(choices.begin(), choices.end(), [&](std::string_view choice) {
        return EqualsIgnoringAsciiCase(choice, text);
    });
    if (found == choices.end())
        return std::nullopt;
    return static_cast<std::int32_t>(found - choices.begin());
}

std::string RangeText(const Setting &setting)
{
    std::string text = "a whole number from " + std::to_string(setting.minimum) + " to "
                       + std::to_string(setting.maximum);
    const auto byDefault = ParseInteger(setting.defaultText);
    if (byDefault && (*byDefault < setting.minimum || *byDefault > setting.maximum))
        text += " (or " + setting.defaultText + ", the default)";
    return text;
}

// The number the text gives the setting; the reason when it gives none.
std::variant<std::int32_t, std::string> ParseSettingNumber(const Setting &setting,
                                                           std::string_view text)
{
    if (!setting.choices.empty()) {
        const auto index = ChoiceIndex(setting, text);
        if (!index)
            return Refusal(setting, JoinChoices(setting.choices), text);
        // A list of numbers stores the number, a list of words the word's place.
        const auto number = ParseInteger(setting.choices[static_cast<std::size_t>(*index)]);
        return setting.encoding == SettingEncoding::Number ? *number : *index;
    }
    const auto number = ParseInteger(text);
    const bool inRange = number && *number >= setting.minimum && *number <= setting.maximum;
    if (inRange || (number && text == setting.defaultText))
        return *number;
    return Refusal(setting, RangeText(setting), text);
}

} // namespace

std::string SettingText(const ClientSettings &settings, const Setting &setting)
{
    const SettingField field = FieldIn(settings, setting);
    // A value without a spelling (an enumeration or level out of its range) shows as its number.
    return SavedText(field, setting).value_or(std::to_string(NumberIn(field)));
}

std::optional<std::string>
SetSettingText(ClientSettings &settings, const Setting &setting, std::string_view text)
{
    const SettingField field = FieldOf(AllRecords(settings), setting);
    if (setting.encoding == SettingEncoding::KeyBinding) {
        if (!IsStorableBinding(text))
            return Refusal(
                setting, "a key binding on one line, without blanks at either end", text);
        *std::get<std::string *>(field) = std::string(text);
        return std::nullopt;
    }
    const auto parsed = ParseSettingNumber(setting, text);
    if (const auto *reason = std::get_if<std::string>(&parsed))
        return *reason;
    StoreNumber(field, std::get<std::int32_t>(parsed));
    return std::nullopt;
}

bool SettingDiffers(const ClientSettings &a, const ClientSettings &b, const Setting &setting)
{
    const SettingField left = FieldIn(a, setting);
    const SettingField right = FieldIn(b, setting);
    if (const std::string *binding = BindingIn(left))
        return *binding != *BindingIn(right);
    return NumberIn(left) != NumberIn(right);
}
