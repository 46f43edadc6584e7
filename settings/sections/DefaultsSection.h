#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The 62 switches of [Defaults], by the fixed index the option pages bind their check boxes to.
enum class DefaultsFlag : int {
    RunMode = 0,
    ScreenMode = 1, // true: full screen
    Log = 2,
    AttackOnAssist = 3,
    ShowInspectMessage = 4,
    LockWindows = 5,
    HidePlayerWin = 6,
    HidePartyWin = 7,
    HideTargetWin = 8,
    HideSpellsWin = 9,
    HideBuffWin = 10,
    HideHotboxWin = 11,
    HideChatWin = 12,
    HideMainMenuWin = 13,
    ShowDynamicLights = 14,
    InvWinLabels = 15,
    InspectOthers = 16,
    LoadArmor17 = 17,
    LoadArmor18 = 18,
    LoadArmor19 = 19,
    LoadArmor20 = 20,
    LoadArmor21 = 21,
    LoadArmor22 = 22,
    LoadArmor23 = 23,
    ShowSpellEffects = 24,
    ServerFilter = 25,
    UseD3DTextureCompression = 26,
    Sound = 27,
    LoadSocialAnimations = 28,
    UseVorranElementals = 29,
    UseVorranHumanMale = 30,
    UseVorranHumanFemale = 31,
    UseVorranBarbarianMale = 32,
    UseVorranBarbarianFemale = 33,
    UseVorranEruditeMale = 34,
    UseVorranEruditeFemale = 35,
    UseVorranWoodElfMale = 36,
    UseVorranWoodElfFemale = 37,
    UseVorranHighElfMale = 38,
    UseVorranHighElfFemale = 39,
    UseVorranDarkElfMale = 40,
    UseVorranDarkElfFemale = 41,
    UseVorranHalfElfMale = 42,
    UseVorranHalfElfFemale = 43,
    UseVorranDwarfMale = 44,
    UseVorranDwarfFemale = 45,
    UseVorranTrollMale = 46,
    UseVorranTrollFemale = 47,
    UseVorranOgreMale = 48,
    UseVorranOgreFemale = 49,
    UseVorranHalflingMale = 50,
    UseVorranHalflingFemale = 51,
    UseVorranGnomeMale = 52,
    UseVorranGnomeFemale = 53,
    UseVorranIksarMale = 54,
    UseVorranIksarFemale = 55,
    MipMapping = 56,
    TextureCompression = 57,
    TextureCache = 58,
    UseUmbra = 59,
    UseTnL = 60,
    ShowGrass = 61,
};
inline constexpr int DefaultsFlagCount = 62;

// The track list's sort order, written as the words NORMAL, DISTANCE, CONSIDER, RDISTANCE and
// RCONSIDER.
enum class TrackSortKind : std::uint8_t { Normal, Distance, Consider, RDistance, RConsider };
// Whether the track list shows players, written as the words FALSE, TRUE and GROUP.
enum class TrackPlayersKind : std::uint8_t { No, Yes, Group };

// The general settings of [Defaults]: a plain record, copied by value.
struct DefaultsSettings
{
    std::array<bool, DefaultsFlagCount> Flags{};
    TrackSortKind TrackSortType{};
    TrackPlayersKind TrackPlayers{};
    // Each bit removes a colour from the track list: 1 green, 2 blue, 4 white, 8 yellow, 16 red.
    std::int32_t TrackFilterType = 0;
    std::int32_t ChatLineSpacing = 0;
    std::int32_t ChatFontSize = 0;
    std::int32_t LastCharSel = 0;
    std::int32_t MousePointerSpeedMod = 0;
    std::int32_t VideoMode = 0; // 0..4: 640x480 to 1600x1200
    std::int32_t VideoModeBitsPerPixel = 0;
    std::int32_t TextureQuality = 0; // 1 high, 2 medium, 3 low
    std::int32_t ShowNamesLevel = 0; // 0 off to 4 the whole name

    bool &Flag(DefaultsFlag flag) { return Flags[static_cast<std::size_t>(flag)]; }
    bool Flag(DefaultsFlag flag) const { return Flags[static_cast<std::size_t>(flag)]; }

    bool operator==(const DefaultsSettings &) const = default;
};

// Reads the 73 keys of [Defaults] into the record. Unrecognised "TrackSortType" and
// "TrackPlayers" words leave those fields as they were. Returns true.
bool LoadDefaultsSection(const std::string &path, DefaultsSettings &settings);
// Writes the 73 keys in their fixed order. Throws IniWriteError when a write is refused.
bool SaveDefaultsSection(const std::string &path, const DefaultsSettings &settings);
