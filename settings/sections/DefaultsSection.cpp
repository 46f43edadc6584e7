#include "sections/DefaultsSection.h"

#include "ini/SuppUnit.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view Section = "Defaults";

// How a key's value is spelled in the file.
enum class Encoding {
    TrueFalse,     // a flag as "TRUE"/"FALSE"
    DigitFlag,     // a flag as "1"/"0"
    ScreenWords,   // the full-screen flag as "FULL"/"NORMAL"
    Number,        // a 32-bit integer in decimal
    TrackSortWord, // TrackSortType as one of its words
    TrackPlayersWord,
    OffLevel, // ShowNamesLevel as "OFF" or "1" to "4"
};

struct DefaultsKey
{
    std::string_view name;
    Encoding encoding;
    DefaultsFlag flag;                      // the flag encodings
    std::int32_t DefaultsSettings::*number; // Number and OffLevel
    std::int32_t defaultValue;              // for flags 0 or 1
};

constexpr DefaultsKey TrueFalse(std::string_view name, DefaultsFlag flag, bool defaultValue)
{
    return {name, Encoding::TrueFalse, flag, nullptr, defaultValue};
}

constexpr DefaultsKey DigitFlag(std::string_view name, DefaultsFlag flag, bool defaultValue)
{
    return {name, Encoding::DigitFlag, flag, nullptr, defaultValue};
}

constexpr DefaultsKey
Number(std::string_view name, std::int32_t DefaultsSettings::*field, std::int32_t defaultValue)
{
    return {name, Encoding::Number, {}, field, defaultValue};
}

constexpr DefaultsKey
OffLevel(std::string_view name, std::int32_t DefaultsSettings::*field, std::int32_t defaultValue)
{
    return {name, Encoding::OffLevel, {}, field, defaultValue};
}

// The three keys whose words map onto one field of their own.
constexpr DefaultsKey Special(std::string_view name, Encoding encoding)
{
    return {name, encoding, {}, nullptr, 0};
}

using enum DefaultsFlag;
using S = DefaultsSettings;

// The 73 keys in the order a save writes them.
constexpr DefaultsKey Keys[] = {
    TrueFalse("RunMode", RunMode, false),
    TrueFalse("Log", Log, false),
    Special("ScreenMode", Encoding::ScreenWords),
    TrueFalse("AttackOnAssist", AttackOnAssist, true),
    TrueFalse("ShowInspectMessage", ShowInspectMessage, true),
    TrueFalse("LockWindows", LockWindows, false),
    TrueFalse("HidePlayerWin", HidePlayerWin, false),
    TrueFalse("HidePartyWin", HidePartyWin, false),
    TrueFalse("HideTargetWin", HideTargetWin, false),
    TrueFalse("HideSpellsWin", HideSpellsWin, false),
    TrueFalse("HideBuffWin", HideBuffWin, false),
    TrueFalse("HideHotboxWin", HideHotboxWin, false),
    TrueFalse("HideChatWin", HideChatWin, false),
    TrueFalse("HideMainMenuWin", HideMainMenuWin, false),
    TrueFalse("ShowDynamicLights", ShowDynamicLights, false),
    TrueFalse("InvWinLabels", InvWinLabels, true),
    TrueFalse("InspectOthers", InspectOthers, true),
    TrueFalse("LoadArmor17", LoadArmor17, true),
    TrueFalse("LoadArmor18", LoadArmor18, true),
    TrueFalse("LoadArmor19", LoadArmor19, true),
    TrueFalse("LoadArmor20", LoadArmor20, true),
    TrueFalse("LoadArmor21", LoadArmor21, true),
    TrueFalse("LoadArmor22", LoadArmor22, true),
    TrueFalse("LoadArmor23", LoadArmor23, true),
    TrueFalse("UseVorranHumanMale", UseVorranHumanMale, false),
    TrueFalse("UseVorranHumanFemale", UseVorranHumanFemale, false),
    TrueFalse("UseVorranBarbarianMale", UseVorranBarbarianMale, false),
    TrueFalse("UseVorranBarbarianFemale", UseVorranBarbarianFemale, false),
    TrueFalse("UseVorranEruditeMale", UseVorranEruditeMale, false),
    TrueFalse("UseVorranEruditeFemale", UseVorranEruditeFemale, false),
    TrueFalse("UseVorranWoodElfMale", UseVorranWoodElfMale, false),
    TrueFalse("UseVorranWoodElfFemale", UseVorranWoodElfFemale, false),
    TrueFalse("UseVorranHighElfMale", UseVorranHighElfMale, false),
    TrueFalse("UseVorranHighElfFemale", UseVorranHighElfFemale, false),
    TrueFalse("UseVorranDarkElfMale", UseVorranDarkElfMale, false),
    TrueFalse("UseVorranDarkElfFemale", UseVorranDarkElfFemale, false),
    TrueFalse("UseVorranHalfElfMale", UseVorranHalfElfMale, false),
    TrueFalse("UseVorranHalfElfFemale", UseVorranHalfElfFemale, false),
    TrueFalse("UseVorranDwarfMale", UseVorranDwarfMale, false),
    TrueFalse("UseVorranDwarfFemale", UseVorranDwarfFemale, false),
    TrueFalse("UseVorranTrollMale", UseVorranTrollMale, false),
    TrueFalse("UseVorranTrollFemale", UseVorranTrollFemale, false),
    TrueFalse("UseVorranOgreMale", UseVorranOgreMale, false),
    TrueFalse("UseVorranOgreFemale", UseVorranOgreFemale, false),
    TrueFalse("UseVorranHalflingMale", UseVorranHalflingMale, false),
    TrueFalse("UseVorranHalflingFemale", UseVorranHalflingFemale, false),
    TrueFalse("UseVorranGnomeMale", UseVorranGnomeMale, false),
    TrueFalse("UseVorranGnomeFemale", UseVorranGnomeFemale, false),
    TrueFalse("UseVorranIksarMale", UseVorranIksarMale, false),
    TrueFalse("UseVorranIksarFemale", UseVorranIksarFemale, false),
    TrueFalse("UseUmbra", UseUmbra, false),
    TrueFalse("UseD3DTextureCompression", UseD3DTextureCompression, true),
    TrueFalse("TextureCompression", TextureCompression, false),
    TrueFalse("TextureCache", TextureCache, false),
    TrueFalse("UseTnL", UseTnL, true),
    TrueFalse("MipMapping", MipMapping, true),
    TrueFalse("Sound", Sound, true),
    TrueFalse("LoadSocialAnimations", LoadSocialAnimations, false),
    TrueFalse("UseVorranElementals", UseVorranElementals, true),
    TrueFalse("ShowGrass", ShowGrass, true),
    DigitFlag("ShowSpellEffects", ShowSpellEffects, true),
    DigitFlag("ServerFilter", ServerFilter, false),
    Number("VideoMode", &S::VideoMode, 0),
    Special("TrackSortType", Encoding::TrackSortWord),
    Special("TrackPlayers", Encoding::TrackPlayersWord),
    Number("TrackFilterType", &S::TrackFilterType, 0),
    Number("VideoModeBitsPerPixel", &S::VideoModeBitsPerPixel, 16),
    Number("ChatLineSpacing", &S::ChatLineSpacing, 0),
    Number("ChatFontSize", &S::ChatFontSize, 1),
    Number("LastCharSel", &S::LastCharSel, 0),
    Number("MousePointerSpeedMod", &S::MousePointerSpeedMod, 0),
    Number("TextureQuality", &S::TextureQuality, 1),
    OffLevel("ShowNamesLevel", &S::ShowNamesLevel, 4),
};
static_assert(std::size(Keys) == 73);

// The words of each enumeration, indexed by its value.
constexpr std::string_view TrackSortWords[]
    = {"NORMAL", "DISTANCE", "CONSIDER", "RDISTANCE", "RCONSIDER"};
constexpr std::string_view TrackPlayersWords[] = {"FALSE", "TRUE", "GROUP"};

constexpr std::string_view FullScreenWord = "FULL";
constexpr std::string_view WindowedWord = "NORMAL";

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return text;
}

enum class LetterCase { Exact, Any };

// The index in the list of the key's word; -1 when the text is none of the words.
int ReadWordIndex(TDMStyleIniFile &ini,
                  std::string_view key,
                  std::span<const std::string_view> words,
                  std::string_view defaultWord,
                  LetterCase letterCase)
{
    std::string text = ini.ReadText(Section, key, defaultWord);
    if (letterCase == LetterCase::Any)
        text = UpperCase(std::move(text));
    const auto found = std::find(words.begin(), words.end(), text);
    return found == words.end() ? -1 : static_cast<int>(found - words.begin());
}

// Writes the word of an enumeration's value; a value without a word writes nothing.
void WriteWord(TDMStyleIniFile &ini,
               std::string_view key,
               std::span<const std::string_view> words,
               std::uint8_t value)
{
    if (value < words.size())
        ini.WriteText(Section, key, words[value]);
}

void LoadKey(TDMStyleIniFile &ini, const DefaultsKey &entry, DefaultsSettings &settings)
{
    const std::string_view key = entry.name;
    switch (entry.encoding) {
    case Encoding::TrueFalse:
        settings.Flag(entry.flag) = ini.ReadTrueFalse(Section, key, entry.defaultValue != 0);
        break;
    case Encoding::DigitFlag:
        settings.Flag(entry.flag) = ini.ReadDigitFlag(Section, key, entry.defaultValue != 0);
        break;
    case Encoding::ScreenWords:
        settings.Flag(ScreenMode)
            = UpperCase(ini.ReadText(Section, key, WindowedWord)) == FullScreenWord;
        break;
    case Encoding::Number:
        settings.*entry.number = ini.ReadNumber(Section, key, entry.defaultValue);
        break;
    case Encoding::TrackSortWord:
        // Only the sort words are matched exactly: "distance" is not recognised.
        if (const int value = ReadWordIndex(ini, key, TrackSortWords, "NORMAL", LetterCase::Exact);
            value >= 0)
            settings.TrackSortType = static_cast<TrackSortKind>(value);
        break;
    case Encoding::TrackPlayersWord:
        if (const int value = ReadWordIndex(ini, key, TrackPlayersWords, "TRUE", LetterCase::Any);
            value >= 0)
            settings.TrackPlayers = static_cast<TrackPlayersKind>(value);
        break;
    case Encoding::OffLevel:
        settings.*entry.number = ini.ReadOffLevel(Section, key, entry.defaultValue);
        break;
    }
}

void SaveKey(TDMStyleIniFile &ini, const DefaultsKey &entry, const DefaultsSettings &settings)
{
    const std::string_view key = entry.name;
    switch (entry.encoding) {
    case Encoding::TrueFalse:
        ini.WriteTrueFalse(Section, key, settings.Flag(entry.flag));
        break;
    case Encoding::DigitFlag:
        ini.WriteDigitFlag(Section, key, settings.Flag(entry.flag));
        break;
    case Encoding::ScreenWords:
        ini.WriteText(Section, key, settings.Flag(ScreenMode) ? FullScreenWord : WindowedWord);
        break;
    case Encoding::Number:
        ini.WriteNumber(Section, key, settings.*entry.number);
        break;
    case Encoding::TrackSortWord:
        WriteWord(ini, key, TrackSortWords, static_cast<std::uint8_t>(settings.TrackSortType));
        break;
    case Encoding::TrackPlayersWord:
        WriteWord(ini, key, TrackPlayersWords, static_cast<std::uint8_t>(settings.TrackPlayers));
        break;
    case Encoding::OffLevel:
        ini.WriteOffLevel(Section, key, settings.*entry.number);
        break;
    }
}

} // namespace

bool LoadDefaultsSection(const std::string &path, DefaultsSettings &settings)
{
    TDMStyleIniFile ini(path);
    for (const DefaultsKey &entry : Keys)
        LoadKey(ini, entry, settings);
    return true;
}

bool SaveDefaultsSection(const std::string &path, const DefaultsSettings &settings)
{
    TDMStyleIniFile ini(path);
    for (const DefaultsKey &entry : Keys)
        SaveKey(ini, entry, settings);
    ini.UpdateFile();
    return true;
}
