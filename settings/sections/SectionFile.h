#pragma once

#include "sections/SettingField.h"

#include <string_view>

class TDMStyleIniFile;

// Moves every catalogue setting of one section between the file and the records, with the
// catalogue's keys, defaults and encodings: all the section's keys go to the file in one call,
// which reads or compares them in one ordered pass over the section's lines.

// Missing keys take their defaults; unreadable values the fallbacks of their encodings.
void LoadCatalogueSection(TDMStyleIniFile &ini,
                          std::string_view section,
                          const SectionRecords &records);
// Writes the keys in save order, a value without a spelling not at all. Throws IniWriteError
// at the first refused write.
void SaveCatalogueSection(TDMStyleIniFile &ini,
                          std::string_view section,
                          const SectionRecords &records);
