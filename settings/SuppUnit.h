#pragma once

#include "IniFiles.h"

#include <cstdint>
#include <string>

// The client file's accessor, with the encodings the game's own file uses. Every section load
// and save creates one, makes its calls, calls UpdateFile() once at the end of a save, and lets
// it go.
class TDMStyleIniFile : public TIniFile
{
public:
    using TIniFile::TIniFile;

    std::string ReadText(const std::string &section,
                         const std::string &key,
                         const std::string &defaultValue);
    void WriteText(const std::string &section, const std::string &key, const std::string &value);

    // Decimal, or hexadecimal after "$", "x" or "0x"; defaultValue for anything else.
    std::int32_t ReadNumber(const std::string &section,
                            const std::string &key,
                            std::int32_t defaultValue);
    // Decimal, "-" for negatives.
    void WriteNumber(const std::string &section, const std::string &key, std::int32_t value);

    // "1"/"0" on write; any non-zero number reads as true, text that is no number as defaultValue.
    bool ReadDigitFlag(const std::string &section, const std::string &key, bool defaultValue);
    void WriteDigitFlag(const std::string &section, const std::string &key, bool value);

    // "TRUE"/"FALSE" on write; true exactly when the text, upper-cased, is "TRUE".
    bool ReadTrueFalse(const std::string &section, const std::string &key, bool defaultValue);
    void WriteTrueFalse(const std::string &section, const std::string &key, bool value);

    // A level 0..4 whose zero is "OFF": "OFF" reads as 0, an integer is clamped into 0..4, any
    // other text is 4. Writing a value outside 0..4 writes nothing.
    std::int32_t ReadOffLevel(const std::string &section,
                              const std::string &key,
                              std::int32_t defaultValue);
    void WriteOffLevel(const std::string &section, const std::string &key, std::int32_t value);
};
