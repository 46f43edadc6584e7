#pragma once

#include "ini/IniFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The game's encodings of a value the file gives (nullopt: the key is missing or has no "="),
// as the typed reads below apply them; callers that find many values at once decode with these.
std::int32_t NumberFromText(std::optional<std::string_view> text, std::int32_t defaultValue);
bool DigitFlagFromText(std::optional<std::string_view> text, bool defaultValue);
bool TrueFalseFromText(std::optional<std::string_view> text, bool defaultValue);
std::int32_t OffLevelFromText(std::optional<std::string_view> text, std::int32_t defaultValue);

// The client file's accessor, with the encodings the game's own file uses. Every section load
// and save creates one, makes its calls, calls UpdateFile() once at the end of a save, and lets
// it go. Names and values are taken as views, so a section can pass names it builds in place.
class TDMStyleIniFile : public TIniFile
{
public:
    using TIniFile::TIniFile;

    std::string
    ReadText(std::string_view section, std::string_view key, std::string_view defaultValue);
    void WriteText(std::string_view section, std::string_view key, std::string_view value);

    // Decimal, or hexadecimal after "$", "x" or "0x"; defaultValue for anything else.
    std::int32_t
    ReadNumber(std::string_view section, std::string_view key, std::int32_t defaultValue);
    // Decimal, "-" for negatives.
    void WriteNumber(std::string_view section, std::string_view key, std::int32_t value);

    // "1"/"0" on write; any non-zero number reads as true, text that is no number as defaultValue.
    bool ReadDigitFlag(std::string_view section, std::string_view key, bool defaultValue);
    void WriteDigitFlag(std::string_view section, std::string_view key, bool value);

    // "TRUE"/"FALSE" on write; true exactly when the text, upper-cased, is "TRUE".
    bool ReadTrueFalse(std::string_view section, std::string_view key, bool defaultValue);
    void WriteTrueFalse(std::string_view section, std::string_view key, bool value);

    // A level 0..4 whose zero is "OFF": "OFF" reads as 0, an integer is clamped into 0..4, any
    // other text is 4. Writing a value outside 0..4 writes nothing.
    std::int32_t
    ReadOffLevel(std::string_view section, std::string_view key, std::int32_t defaultValue);
    void WriteOffLevel(std::string_view section, std::string_view key, std::int32_t value);
};
