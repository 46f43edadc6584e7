#include "SettingIds.h"

#include "sections/DefaultsSection.h"
#include "sections/KeyMapSection.h"
#include "sections/SettingCatalogue.h"
#include "sections/WindowColorsSection.h"
#include "sections/WindowLayoutSections.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 3> ComponentNames{"Red", "Green", "Blue"};

// The catalogue id of each [Defaults] flag, by flag index: the item of every flag encoding
// (most flags have a check box, but the speed is a radio group and full screen a word).
const std::array<std::string, DefaultsFlagCount> &FlagIds()
{
    static const auto ids = [] {
        std::array<std::string, DefaultsFlagCount> table;
        for (const Setting &setting : SectionSettings("Defaults")) {
            const auto encoding = setting.encoding;
            if (encoding == SettingEncoding::TrueFalse || encoding == SettingEncoding::DigitFlag
                || encoding == SettingEncoding::ScreenWords)
                table.at(static_cast<std::size_t>(setting.item)) = setting.id;
        }
        return table;
    }();
    return ids;
}

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
    return FlagIds()[static_cast<std::size_t>(flag)];
}
