#include "SettingIds.h"

#include "sections/DefaultsSection.h"
#include "sections/KeyMapSection.h"
#include "sections/WindowColorsSection.h"
#include "sections/WindowLayoutSections.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 3> ComponentNames{"Red", "Green", "Blue"};

// The key of each [Defaults] flag, by flag index.
constexpr std::array<std::string_view, DefaultsFlagCount> FlagKeys{
    "RunMode",
    "ScreenMode",
    "Log",
    "AttackOnAssist",
    "ShowInspectMessage",
    "LockWindows",
    "HidePlayerWin",
    "HidePartyWin",
    "HideTargetWin",
    "HideSpellsWin",
    "HideBuffWin",
    "HideHotboxWin",
    "HideChatWin",
    "HideMainMenuWin",
    "ShowDynamicLights",
    "InvWinLabels",
    "InspectOthers",
    "LoadArmor17",
    "LoadArmor18",
    "LoadArmor19",
    "LoadArmor20",
    "LoadArmor21",
    "LoadArmor22",
    "LoadArmor23",
    "ShowSpellEffects",
    "ServerFilter",
    "UseD3DTextureCompression",
    "Sound",
    "LoadSocialAnimations",
    "UseVorranElementals",
    "UseVorranHumanMale",
    "UseVorranHumanFemale",
    "UseVorranBarbarianMale",
    "UseVorranBarbarianFemale",
    "UseVorranEruditeMale",
    "UseVorranEruditeFemale",
    "UseVorranWoodElfMale",
    "UseVorranWoodElfFemale",
    "UseVorranHighElfMale",
    "UseVorranHighElfFemale",
    "UseVorranDarkElfMale",
    "UseVorranDarkElfFemale",
    "UseVorranHalfElfMale",
    "UseVorranHalfElfFemale",
    "UseVorranDwarfMale",
    "UseVorranDwarfFemale",
    "UseVorranTrollMale",
    "UseVorranTrollFemale",
    "UseVorranOgreMale",
    "UseVorranOgreFemale",
    "UseVorranHalflingMale",
    "UseVorranHalflingFemale",
    "UseVorranGnomeMale",
    "UseVorranGnomeFemale",
    "UseVorranIksarMale",
    "UseVorranIksarFemale",
    "MipMapping",
    "TextureCompression",
    "TextureCache",
    "UseUmbra",
    "UseTnL",
    "ShowGrass",
};

std::string Id(std::string_view section, std::string_view key)
{
    std::string id(section);
    id += '.';
    id += key;
    return id;
}

std::string_view Component(int component)
{
    return ComponentNames[static_cast<std::size_t>(component)];
}

} // namespace

std::string TextColorId(int color, int component)
{
    return Id("TextColors",
              "User_" + std::to_string(color) + "_" + std::string(Component(component)));
}

std::string WindowColorId(int kind, int component)
{
    return Id("WindowColors",
              std::string(GameWindow(kind).keyPrefix) + std::string(Component(component)));
}

std::string WindowTransId(int kind)
{
    return Id("WindowColors", std::string(GameWindow(kind).keyPrefix) + "Trans");
}

std::string WindowLayoutId(int resolution, int kind, char field)
{
    return Id(Resolution(resolution).section, std::string(GameWindow(kind).keyPrefix) + field);
}

std::string BagPositionId(int container, char axis)
{
    return Id("BagPositions", "Bag_" + std::to_string(container) + "_" + axis);
}

std::string KeyMapId(int row)
{
    return Id("KeyMaps", KeyMapKey(row));
}

std::string DefaultsId(std::string_view key)
{
    return Id("Defaults", key);
}

std::string DefaultsFlagId(int flag)
{
    return DefaultsId(FlagKeys[static_cast<std::size_t>(flag)]);
}
