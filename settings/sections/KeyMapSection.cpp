#include "sections/KeyMapSection.h"

#include "KeyMapCatalogue.h"
#include "ini/SuppUnit.h"
#include "sections/SectionFile.h"

namespace {

constexpr std::string_view Section = "KeyMaps";

static_assert(KeyMapCatalogue.size() == KeyMapCount);

SectionRecords RecordsOf(KeyMapTable &table)
{
    SectionRecords records;
    records.keyMaps = &table;
    return records;
}

bool IsEntry(int entry)
{
    return entry >= 0 && entry < KeyMapCount;
}

} // namespace

std::string_view LoadCatalogueString(int id)
{
    if (id >= KeyMapKeyStringId && id < KeyMapKeyStringId + KeyMapCount)
        return KeyMapCatalogue[static_cast<std::size_t>(id - KeyMapKeyStringId)].key;
    if (id >= KeyMapDefaultStringId && id < KeyMapDefaultStringId + KeyMapCount)
        return KeyMapCatalogue[static_cast<std::size_t>(id - KeyMapDefaultStringId)].defaultBinding;
    return {};
}

// The range check keeps an entry past the keys from reading into the defaults' ids.
std::string_view KeyMapKey(int entry)
{
    return IsEntry(entry) ? LoadCatalogueString(KeyMapKeyStringId + entry) : std::string_view();
}

std::string_view KeyMapDefault(int entry)
{
    return IsEntry(entry) ? LoadCatalogueString(KeyMapDefaultStringId + entry) : std::string_view();
}

bool LoadKeyMapSection(const std::string &path, KeyMapTable &table)
{
    TDMStyleIniFile ini(path);
    LoadCatalogueSection(ini, Section, RecordsOf(table));
    return true;
}

bool SaveKeyMapSection(const std::string &path, const KeyMapTable &table)
{
    TDMStyleIniFile ini(path);
    // The records are only read: a save spells their values.
    SaveCatalogueSection(ini, Section, RecordsOf(const_cast<KeyMapTable &>(table)));
    ini.UpdateFile();
    return true;
}
