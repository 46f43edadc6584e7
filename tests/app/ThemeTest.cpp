#include "ClientFile.h"
#include "CommandRun.h"
#include "TempFolder.h"
#include "commands/ClientFileAccess.h"
#include "commands/ThemeSections.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

bool Includes(const std::vector<std::string> &options, const std::string &option)
{
    return options.empty() || std::find(options.begin(), options.end(), option) != options.end();
}

class ThemeTest : public ::testing::Test
{
protected:
    ClientSettings Load(const std::string &file)
    {
        ClientSettings records;
        LoadAllSections(file, records);
        return records;
    }

    TempFolder folder;
    std::string source = folder.file("mine.ini");
    std::string target = folder.file("theirs.ini");
    std::string theme = folder.file("theme.ini");
    NoSyncFileSteps steps;
    ScopedFileSteps scopedSteps{steps};
};

TEST_F(ThemeTest, ExportThenImportIntoADefaultFileCarriesExactlyTheChosenSections)
{
    const std::vector<std::vector<std::string>> choices{
        {},
        {"--colors"},
        {"--windows"},
        {"--keys"},
        {"--containers"},
        {"--options"},
        {"--colors", "--keys"},
    };
    WriteBytes(source, TestData("odd_values_client_saved.ini"));
    const ClientSettings mine = Load(source);
    for (const auto &options : choices) {
        SCOPED_TRACE(options.empty() ? "no option" : options.front());
        std::vector<std::string> exportCommand{"export", "--file", source};
        exportCommand.insert(exportCommand.end(), options.begin(), options.end());
        exportCommand.push_back(theme);
        const CommandResult exported = RunIn(exportCommand);
        ASSERT_EQ(exported.exitCode, 0);
        if (Includes(options, "--windows")) {
            EXPECT_NE(exported.err.find("vezaz: left out Windows640.PartyWinY takes"),
                      std::string::npos)
                << exported.err;
        }
        WriteBytes(target, TestData("default_client_file.ini"));
        const ClientSettings defaults = Load(target);

        const CommandResult import = RunIn({"import", "--file", target, theme});
        ASSERT_EQ(import.exitCode, 0) << import.err;
        EXPECT_EQ(import.err, "");

        const ClientSettings theirs = Load(target);
        const std::set<std::string> chosen(options.begin(), options.end());
        for (const Setting &setting : SettingCatalogue()) {
            // Values the editor refuses stay behind, so that the theme imports.
            const bool carried = IsChosenForTheme(setting, chosen)
                                 && CheckValue(setting, SettingText(mine, setting)).fileText;
            const ClientSettings &expected = carried ? mine : defaults;
            EXPECT_EQ(SettingText(theirs, setting), SettingText(expected, setting)) << setting.id;
        }
    }
}

TEST_F(ThemeTest, ImportIgnoresAndReportsKeysItDoesNotOwn)
{
    WriteBytes(theme, "[TextColors]\r\nUser_3_Red=12\r\nUser_99_Red=1\r\n[Servers]\r\nHost=x\r\n");
    WriteBytes(target, TestData("default_client_file.ini"));
    const CommandResult import = RunIn({"import", "--file", target, theme});
    EXPECT_EQ(import.exitCode, 0);
    EXPECT_NE(import.err.find(theme + ":3: [TextColors] User_99_Red: ignored"), std::string::npos)
        << import.err;
    EXPECT_NE(import.err.find(theme + ":5: [Servers] Host: ignored"), std::string::npos);
    EXPECT_EQ(RunIn({"get", "--file", target, "TextColors.User_3_Red"}).out, "12\n");
}

TEST_F(ThemeTest, ImportOfARefusedValueWritesNothing)
{
    WriteBytes(theme, "[TextColors]\r\nUser_3_Red=12\r\nUser_4_Red=256\r\n");
    WriteBytes(target, TestData("default_client_file.ini"));
    const CommandResult import = RunIn({"import", "--file", target, theme});
    EXPECT_EQ(import.exitCode, 2);
    EXPECT_NE(import.err.find(theme + ":3: [TextColors] User_4_Red=256: "), std::string::npos)
        << import.err;
    EXPECT_EQ(ReadBytes(target), TestData("default_client_file.ini"));
}

TEST_F(ThemeTest, ExportRefusesToOverwriteTheClientFile)
{
    WriteBytes(source, TestData("realistic_client.ini"));
    const CommandResult exported = RunIn({"export", "--file", source, "--keys", source});
    EXPECT_EQ(exported.exitCode, 2);
    EXPECT_EQ(ReadBytes(source), TestData("realistic_client.ini"));
}

} // namespace
