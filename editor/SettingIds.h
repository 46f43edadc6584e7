#pragma once

#include <string>
#include <string_view>

// The ids of the settings the pages edit, "Section.Key" with the file's own key names.

// Text colour 1..51, component 0 red, 1 green, 2 blue: "TextColors.User_5_Red".
std::string TextColorId(int color, int component);
// Window kind 1..13, component 0..2 as above: "WindowColors.ChatWinRed".
std::string WindowColorId(int kind, int component);
std::string WindowTransId(int kind);
// Resolution 1..5, window kind 1..13, field one of 'X', 'Y', 'W', 'H': "Windows1024.ChatWinX".
std::string WindowLayoutId(int resolution, int kind, char field);
// Container 0..15, axis 'X' or 'Y': "BagPositions.Bag_3_X".
std::string BagPositionId(int container, char axis);
// Key map row 0..96: "KeyMaps.KEYMAP_JUMP".
std::string KeyMapId(int row);
// A [Defaults] key: "Defaults.ScreenMode".
std::string DefaultsId(std::string_view key);
// The [Defaults] key of flag index 0..61: "Defaults.HideChatWin".
std::string DefaultsFlagId(int flag);
