#pragma once

#include "sections/IndexedArray.h"

#include <string>
#include <string_view>

inline constexpr int KeyMapCount = 97;

// The 97 key bindings of [KeyMaps], in catalogue order, as opaque text.
using KeyMapTable = IndexedArray<std::string, 0, KeyMapCount>;

// The catalogue's strings: id 2000 + i is the key of entry i ("KEYMAP_AUTORUN"), id 2100 + i
// its default binding ("NUMLOCK"). An unknown id gives an empty text.
std::string_view LoadCatalogueString(int id);
std::string_view KeyMapKey(int entry);
std::string_view KeyMapDefault(int entry);

// Reads the 97 keys, each with its catalogue default.
bool LoadKeyMapSection(const std::string &path, KeyMapTable &table);
// Writes all 97 keys, empty bindings as empty values. Throws IniWriteError when refused.
bool SaveKeyMapSection(const std::string &path, const KeyMapTable &table);
