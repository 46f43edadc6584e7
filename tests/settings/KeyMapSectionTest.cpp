#include "sections/KeyMapSection.h"

#include "SectionText.h"
#include "TempFolder.h"
#include "ini/IniError.h"

#include <set>

#include <gtest/gtest.h>

namespace {

class KeyMapSectionTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");

    KeyMapTable LoadFrom(const std::vector<std::string> &lines)
    {
        WriteBytes(path, CrlfFile(lines));
        KeyMapTable table;
        EXPECT_TRUE(LoadKeyMapSection(path, table));
        return table;
    }
    std::vector<std::string> SavedLines(const KeyMapTable &table)
    {
        EXPECT_TRUE(SaveKeyMapSection(path, table));
        return SectionLines(ReadBytes(path), "KeyMaps");
    }
};

TEST(KeyMapCatalogueTest, StringIdsGiveTheKeysAndTheirDefaults)
{
    EXPECT_EQ(LoadCatalogueString(2000), "KEYMAP_AUTORUN");
    EXPECT_EQ(LoadCatalogueString(2100), "NUMLOCK");
    EXPECT_EQ(LoadCatalogueString(2096), "KEYMAP_TOGGLE_MAINMENUWIN");
    EXPECT_EQ(LoadCatalogueString(2196), "ALT+m");
    for (int id : {1999, 2097, 2099, 2197, 0})
        EXPECT_EQ(LoadCatalogueString(id), "") << id;

    // The punctuation keys and the duplicate TAB are easy to get wrong in a string table.
    EXPECT_EQ(KeyMapDefault(2), "/");
    EXPECT_EQ(KeyMapKey(61), "KEYMAP_CYCLEREPLY_BACK");
    EXPECT_EQ(KeyMapDefault(61), "SHIFT+TAB");
    EXPECT_EQ(KeyMapDefault(62), "`");
    EXPECT_EQ(KeyMapDefault(60), "TAB");
    EXPECT_EQ(KeyMapDefault(63), "TAB");
    EXPECT_EQ(KeyMapDefault(76), "SHIFT+=");
    EXPECT_EQ(KeyMapDefault(86), "'");
    EXPECT_EQ(KeyMapDefault(87), "SHIFT+;");

    // An entry past the keys must not read into the defaults' ids.
    EXPECT_EQ(KeyMapKey(97), "");
    EXPECT_EQ(KeyMapKey(100), "");
    EXPECT_EQ(KeyMapDefault(-100), "");
}

TEST(KeyMapCatalogueTest, EveryEntryHasItsOwnKeyAndADefault)
{
    std::set<std::string_view> keys;
    for (int entry = 0; entry < KeyMapCount; ++entry) {
        EXPECT_TRUE(KeyMapKey(entry).starts_with("KEYMAP_")) << entry;
        EXPECT_FALSE(KeyMapDefault(entry).empty()) << entry;
        keys.insert(KeyMapKey(entry));
    }
    EXPECT_EQ(keys.size(), 97u);
}

TEST_F(KeyMapSectionTest, FileWithoutTheSectionLoadsTheDefaultsAndSavesTheWholeSectionAtTheEnd)
{
    const KeyMapTable table = LoadFrom({"[Defaults]", "RunMode=TRUE", "[TextColors]"});
    for (int entry = 0; entry < KeyMapCount; ++entry)
        EXPECT_EQ(table[entry], KeyMapDefault(entry)) << entry;

    const auto lines = SavedLines(table);
    ASSERT_EQ(lines.size(), 97u);
    for (int entry = 0; entry < KeyMapCount; ++entry)
        EXPECT_EQ(lines[static_cast<std::size_t>(entry)],
                  std::string(KeyMapKey(entry)) + "=" + std::string(KeyMapDefault(entry)));
    EXPECT_EQ(SectionNames(ReadBytes(path)),
              (std::vector<std::string>{"Defaults", "TextColors", "KeyMaps"}));
}

TEST_F(KeyMapSectionTest, BindingsComeBackExactlyAsRead)
{
    const KeyMapTable table = LoadFrom({"[KeyMaps]",
                                        "KEYMAP_JUMP=",
                                        "KEYMAP_AUTORUN=  Ctrl+Num Lock  ",
                                        "KEYMAP_DUCK=TAB",
                                        "KEYMAP_HAIL=shift+H",
                                        "KEYMAP_FLY=F",
                                        "KEYMAP_HOT1=1"});
    // An empty value is a binding of its own, not a missing key.
    EXPECT_EQ(table[3], "");
    EXPECT_EQ(table[0], "Ctrl+Num Lock");
    EXPECT_EQ(table[10], "TAB");
    EXPECT_EQ(table[11], "shift+H");

    const auto lines = SavedLines(table);
    EXPECT_EQ(lines.size(), 97u + 1u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"KEYMAP_JUMP=",
                                        "KEYMAP_AUTORUN=Ctrl+Num Lock",
                                        "KEYMAP_DUCK=TAB",
                                        "KEYMAP_HAIL=shift+H",
                                        "KEYMAP_FLY=F",
                                        "KEYMAP_HOT1=1"}));
}

TEST_F(KeyMapSectionTest, BindingWithALineBreakIsRefusedAndNothingOfTheSectionIsWritten)
{
    const std::string before = CrlfFile({"[KeyMaps]", "KEYMAP_AUTORUN=NUMLOCK"});
    WriteBytes(path, before);
    KeyMapTable table;
    for (int entry = 0; entry < KeyMapCount; ++entry)
        table[entry] = "F" + std::to_string(entry);
    table[50] = "SHIFT+0\r\n[Defaults]";

    try {
        SaveKeyMapSection(path, table);
        FAIL() << "the save went through";
    } catch (const IniWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadBytes(path), before);
}

} // namespace
