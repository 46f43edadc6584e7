#include "sections/SectionFile.h"

#include "ini/SuppUnit.h"

#include <vector>

void LoadCatalogueSection(TDMStyleIniFile &ini,
                          std::string_view section,
                          const SectionRecords &records)
{
    const auto settings = SectionSettings(section);
    std::vector<std::optional<std::string_view>> values(settings.size());
    ini.FindValues(section, SectionKeyNames(section), values);
    for (std::size_t i = 0; i < settings.size(); ++i)
        LoadFileValue(records, settings[i], values[i]);
}

void SaveCatalogueSection(TDMStyleIniFile &ini,
                          std::string_view section,
                          const SectionRecords &records)
{
    const auto settings = SectionSettings(section);
    // Every value spelt into one buffer, then viewed where it ended up.
    std::string spelt;
    spelt.reserve(settings.size() * 8);
    std::vector<std::size_t> ends(settings.size());
    std::vector<bool> written(settings.size());
    for (std::size_t i = 0; i < settings.size(); ++i) {
        written[i] = AppendSavedText(records, settings[i], spelt);
        ends[i] = spelt.size();
    }
    std::vector<std::optional<std::string_view>> values(settings.size());
    const std::string_view all(spelt);
    for (std::size_t i = 0, begin = 0; i < settings.size(); begin = ends[i++]) {
        if (written[i])
            values[i] = all.substr(begin, ends[i] - begin);
    }
    ini.WriteValues(section, SectionKeyNames(section), values);
}
