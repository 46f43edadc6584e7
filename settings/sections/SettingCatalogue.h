#pragma once

#include "sections/ClientSettings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// How a setting's value is spelled in the file.
enum class SettingEncoding : std::uint8_t {
    TrueFalse,        // a flag as "TRUE"/"FALSE"
    DigitFlag,        // a flag as "1"/"0"
    ScreenWords,      // the full-screen flag as "FULL"/"NORMAL"
    Number,           // a 32-bit integer in decimal
    TrackSortWord,    // NORMAL, DISTANCE, CONSIDER, RDISTANCE, RCONSIDER
    TrackPlayersWord, // FALSE, TRUE, GROUP
    OffLevel,         // "OFF" or "1" to "4"
    ColorByte,        // one colour component, 0..255
    KeyBinding,       // the binding text, kept as the file's bytes
};

// The page whose controls edit a setting.
enum class SettingPage : std::uint8_t {
    TextColors,
    Windows, // "Window Colors/Positions"
    Models,  // "Textures/Models"
    Display,
    Misc,
    Containers, // the container panel on the Misc page
    KeyMaps,
};

// Which control of its page edits a setting. Shared controls (the colour sliders, the window's
// X field) serve every entry of their family once its item is selected.
enum class SettingRole : std::uint8_t {
    Red,
    Green,
    Blue,
    Transparency,
    X,
    Y,
    Width,
    Height,
    CheckBox,   // one flag's check box (item: the flag's index)
    List,       // a drop-down list or a radio group of its own
    Field,      // a number field of its own
    FilterBits, // the track filter's five colour boxes together
    Binding,    // a key map cell (item: the row)
};

// One key of the client file that the editor owns.
struct Setting
{
    std::string id;           // "Section.Key" in the file's spelling: "Windows1024.ChatWinX"
    std::string_view section; // "Windows1024"
    std::string key;          // "ChatWinX"
    SettingEncoding encoding;
    std::string defaultText; // what a save of the default records writes
    std::int32_t minimum;    // the range the pages allow (numbers, colour bytes, levels)
    std::int32_t maximum;
    std::string label;       // as the window shows it: "Chat window X at 1024x768"
    std::string description; // one or two sentences for a player
    SettingPage page;
    SettingRole role;
    // What must be selected on the page for its shared control to edit this setting: the text
    // colour (1..51), the game window (1..13), the container (0..15), the key row (0..96) or the
    // flag index; 0 where nothing is selected.
    int item = 0;
    int resolution = 0; // 1..5 for the layout sections, else 0
    // Where the control offers a fixed list, the only texts it allows ("16", "32"; the words).
    std::span<const std::string_view> choices{};
    // The record field of a [Defaults] number or level (flags are found by item, words by
    // encoding); nullptr for every other setting.
    std::int32_t DefaultsSettings::*number = nullptr;
};

// Every setting the editor owns (647), in the order a whole-file save writes them.
std::span<const Setting> SettingCatalogue();

// The settings of one section ("Windows800"), in save order; empty for a section the editor
// does not own. Letter case ignored.
std::span<const Setting> SectionSettings(std::string_view section);

// A catalogue id ("Defaults.ScreenMode") or "Section/Key", letter case ignored as the file's
// own names are; nullptr when the editor owns no such key.
const Setting *FindSetting(std::string_view name);

// The value in the records as a save would write it ("FULL", "TRUE", "OFF", "12", a binding).
std::string SettingText(const ClientSettings &settings, const Setting &setting);

// Stores text, spelled as SettingText spells it, into the records; on refusal returns the
// reason, naming the allowed values, and leaves the records as they were. Words and TRUE/FALSE
// are taken in any letter case. A number must lie in the setting's range or be its default (the
// window positions a default save writes are 0, below what the window page allows). A binding
// may be any text but one with a line break or a NUL, or with blanks at either end, which the
// file could not give back.
std::optional<std::string>
SetSettingText(ClientSettings &settings, const Setting &setting, std::string_view text);

// Whether the two records give the setting different values.
bool SettingDiffers(const ClientSettings &a, const ClientSettings &b, const Setting &setting);
