#include "sections/SettingCatalogue.h"

#include "KeyMapCatalogue.h"
#include "ini/AsciiCase.h"
#include "sections/SettingField.h"

#include <array>
#include <initializer_list>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using enum SettingEncoding;
using enum SettingPage;
using enum SettingRole;
using S = DefaultsSettings;

constexpr std::string_view BitsPerPixelChoices[] = {"16", "32"};

struct SectionRange
{
    std::string_view name;
    std::size_t first;
    std::size_t count;
};

struct Catalogue
{
    std::vector<Setting> settings;
    std::unordered_map<std::string, std::size_t> byLowerId;
    std::vector<std::string_view> keyNames; // of every setting, in catalogue order
    std::vector<SectionRange> sections;

    const SectionRange *FindSection(std::string_view name) const
    {
        for (const SectionRange &section : sections) {
            if (EqualsIgnoringAsciiCase(section.name, name))
                return &section;
        }
        return nullptr;
    }

    void Add(Setting setting)
    {
        setting.id.reserve(setting.section.size() + 1 + setting.key.size());
        setting.id.append(setting.section).append(1, '.').append(setting.key);
        settings.push_back(std::move(setting));
    }
};

// The parts one after another, in a string sized once: the catalogue builds some thousand
// labels and descriptions at start-up.
std::string Joined(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string_view part : parts)
        joined.append(part);
    return joined;
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        c = AsciiLower(c);
    return lower;
}

// ---- [Defaults] ----

constexpr std::string_view Defaults = "Defaults";

Setting Flag(std::string key,
             DefaultsFlag flag,
             bool on,
             SettingPage page,
             std::string label,
             std::string description)
{
    Setting setting{{},
                    Defaults,
                    std::move(key),
                    TrueFalse,
                    on ? "TRUE" : "FALSE",
                    0,
                    1,
                    std::move(label),
                    std::move(description),
                    page,
                    CheckBox};
    setting.item = static_cast<int>(flag);
    setting.choices = TrueFalseWords;
    return setting;
}

Setting Integer(std::string key,
                std::int32_t S::*field,
                std::string defaultText,
                std::int32_t minimum,
                std::int32_t maximum,
                SettingRole role,
                std::string label,
                std::string description)
{
    Setting setting{{},
                    Defaults,
                    std::move(key),
                    SettingEncoding::Number,
                    std::move(defaultText),
                    minimum,
                    maximum,
                    std::move(label),
                    std::move(description),
                    Misc,
                    role};
    setting.number = field;
    return setting;
}

Setting OnPage(Setting setting, SettingPage page)
{
    setting.page = page;
    return setting;
}

Setting
Encoded(Setting setting, SettingEncoding encoding, std::span<const std::string_view> choices)
{
    setting.encoding = encoding;
    setting.choices = choices;
    return setting;
}

void AddHiddenWindowFlags(Catalogue &catalogue)
{
    struct Hidden
    {
        const char *key;
        DefaultsFlag flag;
        const char *caption;
    };
    using enum DefaultsFlag;
    constexpr Hidden Windows[] = {
        {"HidePlayerWin", HidePlayerWin, "Player"},
        {"HidePartyWin", HidePartyWin, "Party"},
        {"HideTargetWin", HideTargetWin, "Target"},
        {"HideSpellsWin", HideSpellsWin, "Spells"},
        {"HideBuffWin", HideBuffWin, "Affects"},
        {"HideHotboxWin", HideHotboxWin, "Hotbuttons"},
        {"HideChatWin", HideChatWin, "Chat"},
        {"HideMainMenuWin", HideMainMenuWin, "MainMenu"},
    };
    for (const Hidden &window : Windows)
        catalogue.Add(Flag(window.key,
                           window.flag,
                           false,
                           Display,
                           std::string("Hidden Windows: ") + window.caption,
                           std::string("Whether the game starts with its ") + window.caption
                               + " window hidden."));
}

void AddArmorFlags(Catalogue &catalogue)
{
    for (int n = 17; n <= 23; ++n) {
        const std::string number = std::to_string(n);
        catalogue.Add(Flag("LoadArmor" + number,
                           static_cast<DefaultsFlag>(n),
                           true,
                           Models,
                           "Load Textures: Armor" + number,
                           "Whether the game loads armour texture " + number + "."));
    }
}

void AddModelFlags(Catalogue &catalogue)
{
    constexpr std::pair<const char *, const char *> Races[] = {
        {"Human", "Human"},
        {"Barbarian", "Barbarian"},
        {"Erudite", "Erudite"},
        {"WoodElf", "Wood Elf"},
        {"HighElf", "High Elf"},
        {"DarkElf", "Dark Elf"},
        {"HalfElf", "Half Elf"},
        {"Dwarf", "Dwarf"},
        {"Troll", "Troll"},
        {"Ogre", "Ogre"},
        {"Halfling", "Halfling"},
        {"Gnome", "Gnome"},
        {"Iksar", "Iksar"},
    };
    int flag = static_cast<int>(DefaultsFlag::UseVorranHumanMale);
    for (const auto &[race, words] : Races) {
        for (const char *sex : {"Male", "Female"}) {
            const std::string caption = std::string(words) + " " + sex;
            catalogue.Add(Flag(std::string("UseVorran") + race + sex,
                               static_cast<DefaultsFlag>(flag++),
                               false,
                               Models,
                               "Vorran Models: " + caption,
                               "Whether the game uses the Vorran expansion's model for " + caption
                                   + " characters."));
        }
    }
}

void AddDefaults(Catalogue &c)
{
    using enum DefaultsFlag;
    Setting run = Flag("RunMode",
                       RunMode,
                       false,
                       Misc,
                       "Default Speed",
                       "The default movement speed: TRUE runs, FALSE walks.");
    run.role = List;
    c.Add(std::move(run));
    c.Add(Flag("Log",
               Log,
               false,
               Misc,
               "Enable Logging",
               "Turns the game's logging on (TRUE) or off (FALSE)."));
    Setting screen = Flag("ScreenMode",
                          ScreenMode,
                          false,
                          Display,
                          "Fullscreen",
                          "Runs the game full screen (FULL) or in a window (NORMAL).");
    screen.defaultText = "NORMAL";
    c.Add(Encoded(screen, ScreenWords, ::ScreenWords));
    c.Add(Flag("AttackOnAssist",
               AttackOnAssist,
               true,
               Misc,
               "Assist Auto Attack",
               "The game's attack-on-assist switch, shown as \"Assist Auto Attack\": TRUE turns "
               "it on."));
    c.Add(Flag("ShowInspectMessage",
               ShowInspectMessage,
               true,
               Misc,
               "See Inspections",
               "Whether the game shows its inspect messages (\"See Inspections\")."));
    c.Add(Flag("LockWindows",
               LockWindows,
               false,
               Windows,
               "Lock Windows in DM",
               "Whether the game's interface windows are locked in place."));
    AddHiddenWindowFlags(c);
    c.Add(Flag("ShowDynamicLights",
               ShowDynamicLights,
               false,
               Display,
               "Show Dynamic Lights",
               "Whether the game shows dynamic lights."));
    c.Add(Flag("InvWinLabels",
               InvWinLabels,
               true,
               Display,
               "Inventory Window Labels",
               "Whether the game's inventory window shows its labels."));
    c.Add(Flag("InspectOthers",
               InspectOthers,
               true,
               Misc,
               "Inspect Others",
               "The game's inspect-others switch, shown as \"Inspect Others\": TRUE turns it "
               "on."));
    AddArmorFlags(c);
    AddModelFlags(c);
    c.Add(Flag("UseUmbra",
               UseUmbra,
               false,
               Display,
               "Use Umbra",
               "The game's Umbra switch, shown as \"Use Umbra\": TRUE turns it on."));
    c.Add(Flag("UseD3DTextureCompression",
               UseD3DTextureCompression,
               true,
               Display,
               "D3D Texture Compression",
               "Whether the game uses D3D texture compression."));
    c.Add(Flag("TextureCompression",
               TextureCompression,
               false,
               Display,
               "Texture Compression",
               "Whether the game compresses its textures."));
    c.Add(Flag("TextureCache",
               TextureCache,
               false,
               Display,
               "Texture Cache",
               "Whether the game keeps a texture cache."));
    c.Add(Flag("UseTnL",
               UseTnL,
               true,
               Display,
               "Use TnL",
               "The game's TnL switch, shown as \"Use TnL\": TRUE turns it on."));
    c.Add(Flag("MipMapping",
               MipMapping,
               true,
               Display,
               "Mipmapping",
               "Whether the game uses mipmapping for its textures."));
    c.Add(Flag("Sound", Sound, true, Misc, "Enable Sound", "Turns the game's sound on or off."));
    c.Add(Flag("LoadSocialAnimations",
               LoadSocialAnimations,
               false,
               Models,
               "Social Animations",
               "Whether the game loads the social animations."));
    c.Add(Flag("UseVorranElementals",
               UseVorranElementals,
               true,
               Models,
               "Vorran Elementals",
               "Whether the game uses the Vorran expansion's elemental models."));
    c.Add(
        Flag("ShowGrass", ShowGrass, true, Display, "Show Grass", "Whether the game shows grass."));
    Setting spells = Flag("ShowSpellEffects",
                          ShowSpellEffects,
                          true,
                          Display,
                          "Show Spell Effects",
                          "Whether the game shows spell effects. Written as 1 or 0, unlike most "
                          "switches.");
    spells.defaultText = "1";
    c.Add(Encoded(spells, DigitFlag, DigitFlagWords));
    Setting filter = Flag("ServerFilter",
                          ServerFilter,
                          false,
                          Misc,
                          "Server Filter",
                          "The game's server filter switch, shown as \"Server Filter\". Written "
                          "as 1 or 0, unlike most switches.");
    filter.defaultText = "0";
    c.Add(Encoded(filter, DigitFlag, DigitFlagWords));
    c.Add(OnPage(Integer("VideoMode",
                         &S::VideoMode,
                         "0",
                         0,
                         4,
                         List,
                         "Video Mode",
                         "The screen resolution the game runs at: 0 640x480, 1 800x600, "
                         "2 1024x768, 3 1280x960, 4 1600x1200. The window page starts there."),
                 Display));
    Setting sort = Integer("TrackSortType",
                           nullptr,
                           "NORMAL",
                           0,
                           4,
                           List,
                           "Track Sort Type",
                           "The order of the track list: NORMAL, DISTANCE, CONSIDER, RDISTANCE "
                           "or RCONSIDER.");
    c.Add(Encoded(sort, TrackSortWord, TrackSortWords));
    Setting players = Integer("TrackPlayers",
                              nullptr,
                              "TRUE",
                              0,
                              2,
                              List,
                              "Track Players",
                              "Whether the track list shows players: TRUE yes, FALSE no, GROUP "
                              "only your group.");
    c.Add(Encoded(players, TrackPlayersWord, TrackPlayersWords));
    c.Add(Integer("TrackFilterType",
                  &S::TrackFilterType,
                  "0",
                  0,
                  31,
                  FilterBits,
                  "Track Filter Type",
                  "The colours removed from the track list, as the sum of their bits: 1 green, "
                  "2 blue, 4 white, 8 yellow, 16 red."));
    Setting bits = OnPage(Integer("VideoModeBitsPerPixel",
                                  &S::VideoModeBitsPerPixel,
                                  "16",
                                  16,
                                  32,
                                  List,
                                  "Bits Per Pixel",
                                  "The colour depth the game runs at: 16 or 32 bits per pixel."),
                          Display);
    bits.choices = BitsPerPixelChoices;
    c.Add(std::move(bits));
    c.Add(Integer("ChatLineSpacing",
                  &S::ChatLineSpacing,
                  "0",
                  0,
                  5,
                  Field,
                  "Line Spacing",
                  "The spacing of the lines in the chat window, 0 to 5."));
    c.Add(Integer("ChatFontSize",
                  &S::ChatFontSize,
                  "1",
                  0,
                  10,
                  Field,
                  "Font Size",
                  "The size of the chat font, 0 to 10."));
    c.Add(Integer("LastCharSel",
                  &S::LastCharSel,
                  "0",
                  0,
                  7,
                  Field,
                  "Last Selected",
                  "The character last selected, 0 to 7."));
    c.Add(Integer("MousePointerSpeedMod",
                  &S::MousePointerSpeedMod,
                  "0",
                  0,
                  30,
                  Field,
                  "Mouse Speed Mod",
                  "A change to the mouse pointer's speed, 0 to 30."));
    c.Add(OnPage(Integer("TextureQuality",
                         &S::TextureQuality,
                         "1",
                         1,
                         3,
                         List,
                         "Texture Quality",
                         "The quality of the game's textures: 1 high, 2 medium, 3 low."),
                 Display));
    Setting names = OnPage(Integer("ShowNamesLevel",
                                   &S::ShowNamesLevel,
                                   "4",
                                   0,
                                   4,
                                   List,
                                   "Show Name as",
                                   "How much of a name the game shows: OFF none, 1 the first "
                                   "name, 2 first and last names, 3 those and the guild tag, 4 "
                                   "the whole name."),
                           Display);
    c.Add(Encoded(names, OffLevel, OffLevelWords));
}

// ---- the families ----

void AddBagPositions(Catalogue &c)
{
    for (int index = BagPositionTable::first; index <= BagPositionTable::last; ++index) {
        const std::string name = ContainerName(index);
        const std::string prefix = "Bag_" + std::to_string(index) + "_";
        for (const auto &[role, axis, edge, defaultText, maximum] :
             {std::tuple{X, "X", "Left", "100", 1600}, std::tuple{Y, "Y", "Top", "10", 1200}}) {
            Setting setting{{},
                            "BagPositions",
                            prefix + axis,
                            Number,
                            defaultText,
                            1,
                            maximum,
                            Joined({name, " ", axis}),
                            Joined({edge,
                                    " edge, in screen pixels, of the window of the container in ",
                                    name,
                                    "."}),
                            Containers,
                            role};
            setting.item = index;
            c.Add(std::move(setting));
        }
    }
}

struct Coordinate
{
    SettingRole role;
    const char *suffix;
    const char *what;
    const char *label;
    std::int32_t maximum;
};

constexpr Coordinate LayoutKeys[] = {
    {Y, "Y", "Top edge", "Y", 1200},
    {X, "X", "Left edge", "X", 1600},
    {Height, "H", "Height", "height", 1200},
    {Width, "W", "Width", "width", 1600},
};

bool HasSizeKeys(int kind)
{
    return kind != static_cast<int>(GameWindowKind::AltAdv)
           && kind != static_cast<int>(GameWindowKind::BazaarMerchant);
}

void AddWindowLayouts(Catalogue &c)
{
    for (int resolution = 1; resolution <= ScreenResolutionCount; ++resolution) {
        const ScreenResolutionInfo &screen = Resolution(resolution);
        for (int kind = 1; kind <= GameWindowCount; ++kind) {
            const GameWindowInfo &window = GameWindow(kind);
            const int keys = HasSizeKeys(kind) ? 4 : 2;
            for (const Coordinate &key :
                 std::span(LayoutKeys).first(static_cast<std::size_t>(keys))) {
                Setting setting{
                    {},
                    screen.section,
                    std::string(window.keyPrefix) + key.suffix,
                    Number,
                    "0",
                    1,
                    key.maximum,
                    Joined({window.listEntry, " window ", key.label, " at ", screen.label}),
                    Joined({key.what,
                            ", in pixels, of the ",
                            window.listEntry,
                            " window when the game runs at ",
                            screen.label,
                            "."}),
                    Windows,
                    key.role};
                setting.item = kind;
                setting.resolution = resolution;
                c.Add(std::move(setting));
            }
        }
    }
}

constexpr std::pair<SettingRole, const char *> ColorKeys[]
    = {{Red, "Red"}, {Green, "Green"}, {Blue, "Blue"}};

void AddWindowColors(Catalogue &c)
{
    for (int kind = 1; kind <= GameWindowCount; ++kind) {
        const std::string name(GameWindow(kind).listEntry);
        const std::string prefix(GameWindow(kind).keyPrefix);
        for (const auto &[role, component] : ColorKeys) {
            Setting setting{{},
                            "WindowColors",
                            prefix + component,
                            ColorByte,
                            "1",
                            0,
                            255,
                            name + " window " + AsciiLower(component[0]) + (component + 1),
                            Joined({component,
                                    " component, 0 to 255, of the colour of the ",
                                    name,
                                    " window in the game."}),
                            Windows,
                            role};
            setting.item = kind;
            c.Add(std::move(setting));
        }
        Setting trans{{},
                      "WindowColors",
                      prefix + "Trans",
                      Number,
                      "2",
                      1,
                      4,
                      name + " window transparency",
                      Joined({"Transparency level of the ",
                              name,
                              " window in the game: 4 is solid, 1 is very clear."}),
                      Windows,
                      Transparency};
        trans.item = kind;
        c.Add(std::move(trans));
    }
}

// "KEYMAP_CYCLEREPLY_BACK" shows as "Cyclereply_back".
std::string DisplayName(std::string_view key)
{
    constexpr std::string_view Prefix = "KEYMAP_";
    if (key.starts_with(Prefix))
        key.remove_prefix(Prefix.size());
    std::string name
        = key.empty() ? std::string() : std::string(key.substr(0, 1)) + LowerCase(key.substr(1));
    return name;
}

void AddKeyMaps(Catalogue &c)
{
    for (int entry = 0; entry < KeyMapCount; ++entry) {
        const auto &[key, binding] = KeyMapCatalogue[static_cast<std::size_t>(entry)];
        Setting setting{{},
                        "KeyMaps",
                        std::string(key),
                        KeyBinding,
                        std::string(binding),
                        0,
                        0,
                        DisplayName(key),
                        Joined({"The key bound to the game function ",
                                key,
                                ", as the game writes it: an optional SHIFT+, CONTROL+ or ALT+ "
                                "and one key name."}),
                        KeyMaps,
                        Binding};
        setting.item = entry;
        c.Add(std::move(setting));
    }
}

void AddTextColors(Catalogue &c)
{
    for (int n = UserColorTable::first; n <= UserColorTable::last; ++n) {
        const std::string caption(TextColorCaption(n));
        for (const auto &[role, component] : ColorKeys) {
            Setting setting{{},
                            "TextColors",
                            "User_" + std::to_string(n) + "_" + component,
                            ColorByte,
                            "0",
                            0,
                            255,
                            caption + ", " + AsciiLower(component[0]) + (component + 1),
                            Joined({component,
                                    " component, 0 to 255, of the colour the game gives this "
                                    "kind of text (",
                                    caption,
                                    ")."}),
                            TextColors,
                            role};
            setting.item = n;
            c.Add(std::move(setting));
        }
    }
}

Catalogue Build()
{
    Catalogue catalogue;
    catalogue.settings.reserve(647);
    AddDefaults(catalogue);
    AddBagPositions(catalogue);
    AddWindowLayouts(catalogue);
    AddWindowColors(catalogue);
    AddKeyMaps(catalogue);
    AddTextColors(catalogue);
    catalogue.byLowerId.reserve(catalogue.settings.size());
    catalogue.keyNames.reserve(catalogue.settings.size());
    for (std::size_t i = 0; i < catalogue.settings.size(); ++i) {
        const Setting &setting = catalogue.settings[i];
        catalogue.byLowerId.emplace(LowerCase(setting.id), i);
        catalogue.keyNames.push_back(setting.key);
        if (catalogue.sections.empty() || catalogue.sections.back().name != setting.section)
            catalogue.sections.push_back({setting.section, i, 0});
        ++catalogue.sections.back().count;
    }
    return catalogue;
}

const Catalogue &TheCatalogue()
{
    static const Catalogue catalogue = Build();
    return catalogue;
}

} // namespace

std::span<const Setting> SettingCatalogue()
{
    return TheCatalogue().settings;
}

std::span<const Setting> SectionSettings(std::string_view section)
{
    const Catalogue &catalogue = TheCatalogue();
    const SectionRange *range = catalogue.FindSection(section);
    if (!range)
        return {};
    return std::span(catalogue.settings).subspan(range->first, range->count);
}

std::span<const std::string_view> SectionKeyNames(std::string_view section)
{
    const Catalogue &catalogue = TheCatalogue();
    const SectionRange *range = catalogue.FindSection(section);
    if (!range)
        return {};
    return std::span(catalogue.keyNames).subspan(range->first, range->count);
}

const Setting *FindSetting(std::string_view name)
{
    std::string id = LowerCase(name);
    if (const auto slash = id.find('/'); slash != std::string::npos)
        id[slash] = '.';
    const Catalogue &catalogue = TheCatalogue();
    const auto found = catalogue.byLowerId.find(id);
    return found == catalogue.byLowerId.end() ? nullptr : &catalogue.settings[found->second];
}
