#include "sections/DefaultsSection.h"

#include "ini/SuppUnit.h"
#include "sections/SectionFile.h"

namespace {

constexpr std::string_view Section = "Defaults";

SectionRecords RecordsOf(DefaultsSettings &settings)
{
    SectionRecords records;
    records.defaults = &settings;
    return records;
}

} // namespace

bool LoadDefaultsSection(const std::string &path, DefaultsSettings &settings)
{
    TDMStyleIniFile ini(path);
    LoadCatalogueSection(ini, Section, RecordsOf(settings));
    return true;
}

bool SaveDefaultsSection(const std::string &path, const DefaultsSettings &settings)
{
    TDMStyleIniFile ini(path);
    // The records are only read: a save spells their values.
    SaveCatalogueSection(ini, Section, RecordsOf(const_cast<DefaultsSettings &>(settings)));
    ini.UpdateFile();
    return true;
}
