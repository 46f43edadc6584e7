#pragma once

#include "sections/SettingCatalogue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// The spellings of the two track enumerations, indexed by value, and the other word lists.
inline constexpr std::string_view TrackSortWords[]
    = {"NORMAL", "DISTANCE", "CONSIDER", "RDISTANCE", "RCONSIDER"};
inline constexpr std::string_view TrackPlayersWords[] = {"FALSE", "TRUE", "GROUP"};
inline constexpr std::string_view TrueFalseWords[] = {"FALSE", "TRUE"};
inline constexpr std::string_view DigitFlagWords[] = {"0", "1"};
inline constexpr std::string_view ScreenWords[] = {"NORMAL", "FULL"};
inline constexpr std::string_view OffLevelWords[] = {"OFF", "1", "2", "3", "4"};

// The records a section load or save works on: one section's record, or all of them. Pointers
// a section does not set stay null and are never reached by that section's settings.
struct SectionRecords
{
    DefaultsSettings *defaults = nullptr;
    BagPositionTable *bagPositions = nullptr;
    WindowLayoutTable *windowLayouts = nullptr;
    WindowColorTable *windowColors = nullptr;
    KeyMapTable *keyMaps = nullptr;
    UserColorTable *userColors = nullptr;
};

SectionRecords AllRecords(ClientSettings &settings);

// The record field a setting maps to.
using SettingField = std::variant<bool *,
                                  std::int32_t *,
                                  std::uint8_t *,
                                  TrackSortKind *,
                                  TrackPlayersKind *,
                                  std::string *>;

SettingField FieldOf(const SectionRecords &records, const Setting &setting);

// The key names of SectionSettings(section), as one call to the file takes them.
std::span<const std::string_view> SectionKeyNames(std::string_view section);

// What a save writes for the field; nullopt where it writes nothing (a track word or a name
// level without a spelling), so the file keeps its text.
std::optional<std::string> SavedText(const SettingField &field, const Setting &setting);
// SavedText() appended to out; false, with out as it was, where a save writes nothing.
bool AppendSavedText(const SettingField &field, const Setting &setting, std::string &out);
// The same for the setting's field in the records, as a save spells every key.
bool AppendSavedText(const SectionRecords &records, const Setting &setting, std::string &out);

// Stores what a load makes of the file's value; nullopt when the key is missing. Each encoding
// reads as the client file's accessor does: unrecognised track words leave the field alone.
void LoadFileValue(const SectionRecords &records,
                   const Setting &setting,
                   const std::optional<std::string_view> &fileValue);
