#include "sections/SettingCatalogue.h"

#include "ClientFile.h"
#include "SectionText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct FileKey
{
    std::string id;
    std::string value;
};

// "Section.Key" and value of every key line, in file order.
std::vector<FileKey> KeysOf(const std::string &bytes)
{
    std::vector<FileKey> keys;
    std::string section;
    for (const std::string &line : Lines(bytes)) {
        if (IsHeader(line)) {
            section = std::string(Trimmed(line).substr(1, Trimmed(line).size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            keys.push_back({section + "." + line.substr(0, equals), line.substr(equals + 1)});
    }
    return keys;
}

// A value the setting allows that differs from its default.
std::string OtherValue(const Setting &setting)
{
    if (setting.encoding == SettingEncoding::KeyBinding)
        return "CONTROL+" + setting.defaultText;
    if (!setting.choices.empty())
        return std::string(setting.choices.back() == setting.defaultText ? setting.choices.front()
                                                                         : setting.choices.back());
    const std::string maximum = std::to_string(setting.maximum);
    return maximum == setting.defaultText ? std::to_string(setting.minimum) : maximum;
}

// Texts the setting must refuse.
std::vector<std::string> BadValues(const Setting &setting)
{
    if (setting.encoding == SettingEncoding::KeyBinding)
        return {"a\nb", "a\rb", std::string("a\0b", 3), " a", "a\t"};
    if (!setting.choices.empty())
        return {"MAYBE", "", std::string(setting.choices.front()) + " "};
    return {std::to_string(std::int64_t{setting.maximum} + 1),
            setting.minimum == 0
                ? "-1"
                : std::to_string(setting.minimum - 1 == 0 ? -5 : setting.minimum - 1),
            "abc",
            "",
            "2147483648"};
}

TEST(SettingCatalogueTest, ADefaultSaveWritesEveryKeyOnceInCatalogueOrderWithItsDefault)
{
    const std::vector<FileKey> file = KeysOf(TestData("default_client_file.ini"));
    const auto catalogue = SettingCatalogue();
    ASSERT_EQ(catalogue.size(), 647u);
    ASSERT_EQ(file.size(), catalogue.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
        EXPECT_EQ(catalogue[i].id, file[i].id) << "at " << i;
        EXPECT_EQ(catalogue[i].defaultText, file[i].value) << file[i].id;
        EXPECT_EQ(FindSetting(file[i].id), &catalogue[i]) << file[i].id << " is not unique";
    }
}

TEST(SettingCatalogueTest, RecordsLoadedFromNoFileShowTheCatalogueDefaults)
{
    TempFolder folder;
    ClientSettings settings;
    ASSERT_EQ(LoadAllSections(folder.file("missing.ini"), settings), std::nullopt);
    for (const Setting &setting : SettingCatalogue())
        EXPECT_EQ(SettingText(settings, setting), setting.defaultText) << setting.id;
}

TEST(SettingCatalogueTest, EverySettingTakesAnAllowedTextIntoItsOwnFieldAndThroughTheFile)
{
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
    ClientSettings defaults;
    ASSERT_EQ(LoadAllSections(path, defaults), std::nullopt);

    ClientSettings edited = defaults;
    for (const Setting &setting : SettingCatalogue()) {
        const ClientSettings before = edited;
        const std::string text = OtherValue(setting);
        ASSERT_EQ(SetSettingText(edited, setting, text), std::nullopt) << setting.id;
        EXPECT_EQ(SettingText(edited, setting), text) << setting.id;
        for (const Setting &other : SettingCatalogue())
            EXPECT_EQ(SettingDiffers(before, edited, other), &other == &setting)
                << setting.id << " changed " << other.id;
    }

    ASSERT_EQ(SaveAllSections(path, edited), std::nullopt);
    ClientSettings reloaded;
    ASSERT_EQ(LoadAllSections(path, reloaded), std::nullopt);
    for (const Setting &setting : SettingCatalogue())
        EXPECT_EQ(SettingText(reloaded, setting), OtherValue(setting)) << setting.id;
}

TEST(SettingCatalogueTest, EverySettingRefusesBadTextNamingWhatItTakesAndKeepsTheRecords)
{
    ClientSettings settings;
    LoadAllSections("", settings);
    const ClientSettings before = settings;
    for (const Setting &setting : SettingCatalogue()) {
        for (const std::string &bad : BadValues(setting)) {
            const auto reason = SetSettingText(settings, setting, bad);
            ASSERT_NE(reason, std::nullopt) << setting.id << " took \"" << bad << "\"";
            EXPECT_NE(reason->find(setting.id), std::string::npos) << *reason;
            for (std::string_view choice : setting.choices)
                EXPECT_NE(reason->find(choice), std::string::npos) << *reason;
            if (setting.choices.empty() && setting.encoding != SettingEncoding::KeyBinding) {
                EXPECT_NE(reason->find(std::to_string(setting.maximum)), std::string::npos)
                    << *reason;
            }
            ASSERT_EQ(settings, before) << setting.id << " changed on \"" << bad << "\"";
        }
    }
}

TEST(SettingCatalogueTest, SettingsAreFoundByIdOrPathInAnyLetterCase)
{
    const Setting *chatX = FindSetting("Windows1024.ChatWinX");
    ASSERT_NE(chatX, nullptr);
    EXPECT_EQ(chatX->resolution, 3);
    EXPECT_EQ(chatX->item, 6);
    EXPECT_EQ(chatX->role, SettingRole::X);
    EXPECT_EQ(FindSetting("windows1024/chatwinx"), chatX);
    EXPECT_EQ(FindSetting("Windows1024.AltAdvWinW"), nullptr);
    EXPECT_EQ(FindSetting("Defaults"), nullptr);
    EXPECT_EQ(FindSetting("Defaults.ScreenMode.x"), nullptr);
    EXPECT_EQ(SectionSettings("windows800").size(), 48u);
    EXPECT_EQ(SectionSettings("KeyMaps").front().id, "KeyMaps.KEYMAP_AUTORUN");
    EXPECT_TRUE(SectionSettings("Unknown").empty());
}

TEST(SettingCatalogueTest, WordsAreTakenInAnyLetterCaseAndAPositionMayBeResetToItsDefault)
{
    ClientSettings settings;
    const Setting &sort = *FindSetting("Defaults.TrackSortType");
    EXPECT_EQ(SetSettingText(settings, sort, "rconsider"), std::nullopt);
    EXPECT_EQ(SettingText(settings, sort), "RCONSIDER");
    const Setting &names = *FindSetting("Defaults.ShowNamesLevel");
    EXPECT_EQ(SetSettingText(settings, names, "off"), std::nullopt);
    EXPECT_EQ(settings.Defaults.ShowNamesLevel, 0);
    const Setting &bits = *FindSetting("Defaults.VideoModeBitsPerPixel");
    EXPECT_NE(SetSettingText(settings, bits, "24"), std::nullopt);
    const Setting &y = *FindSetting("Windows640.PlayerWinY");
    settings.WindowLayouts[1][1].y = 50;
    EXPECT_EQ(SetSettingText(settings, y, "0"), std::nullopt);
    EXPECT_EQ(settings.WindowLayouts[1][1].y, 0);
}

} // namespace
