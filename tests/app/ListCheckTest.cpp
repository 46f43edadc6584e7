#include "CommandRun.h"
#include "JsonReader.h"
#include "TempFolder.h"
#include "commands/JsonText.h"
#include "sections/SettingCatalogue.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

class ListCheckTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder.file("dmclient.ini");
    NoSyncFileSteps steps;
    ScopedFileSteps scopedSteps{steps};
};

std::vector<std::string> FirstColumn(const std::string &listing)
{
    std::vector<std::string> ids;
    for (std::size_t at = 0; at < listing.size(); at = listing.find('\n', at) + 1)
        ids.push_back(listing.substr(at, listing.find('\t', at) - at));
    return ids;
}

TEST(JsonTextTest, EscapesQuotesBackslashesAndControlCharactersAndKeepsUtf8)
{
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("\t\n\r\b\f"), "\"\\t\\n\\r\\b\\f\"");
    EXPECT_EQ(JsonString(std::string("\x01\x1F\x7F", 3)), "\"\\u0001\\u001f\\u007f\"");
    EXPECT_EQ(JsonString("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
}

TEST_F(ListCheckTest, ListJsonParsesAndHoldsEverySettingWithItsValue)
{
    WriteBytes(path, TestData("realistic_client.ini"));
    const CommandResult list = RunIn({"list", "--file", path, "--json"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const auto objects = JsonReader::ArrayOfObjects(list.out);
    ASSERT_TRUE(objects) << list.out.substr(0, 400);
    ASSERT_EQ(objects->size(), SettingCatalogue().size());
    ASSERT_EQ(objects->size(), 647u);
    for (std::size_t at = 0; at < objects->size(); ++at) {
        const Setting &setting = SettingCatalogue()[at];
        const auto &object = (*objects)[at];
        EXPECT_EQ(object.size(), 7u);
        EXPECT_EQ(object.at("id"), setting.id);
        EXPECT_EQ(object.at("section"), setting.section);
        EXPECT_EQ(object.at("key"), setting.key);
        EXPECT_EQ(object.at("default"), setting.defaultText);
        EXPECT_EQ(object.at("label"), setting.label);
        EXPECT_EQ(object.at("description"), setting.description);
        EXPECT_EQ(object.at("value") + "\n", RunIn({"get", "--file", path, setting.id}).out);
    }
}

TEST_F(ListCheckTest, ListJsonCarriesAKeyBindingWithQuotesBackslashesAndTabs)
{
    const std::string binding = "say \"hi\" \\ \tthere";
    ASSERT_EQ(RunIn({"set", "--file", path, "KeyMaps.KEYMAP_JUMP=" + binding}).exitCode, 0);
    const auto objects = JsonReader::ArrayOfObjects(
        RunIn({"list", "--file", path, "--json", "--section", "keymaps"}).out);
    ASSERT_TRUE(objects);
    bool found = false;
    for (const auto &object : *objects) {
        if (object.at("key") == "KEYMAP_JUMP") {
            EXPECT_EQ(object.at("value"), binding);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(ListCheckTest, ListChoosesBySectionAndByChange)
{
    WriteBytes(path, TestData("default_client_file.ini"));
    EXPECT_EQ(RunIn({"list", "--file", path, "--changed"}).out, "");
    ASSERT_EQ(RunIn({"set", "--file", path, "Windows800.ChatWinX=33"}).exitCode, 0);
    EXPECT_EQ(FirstColumn(RunIn({"list", "--file", path, "--changed"}).out),
              std::vector<std::string>{"Windows800.ChatWinX"});

    const std::vector<std::string> colours
        = FirstColumn(RunIn({"list", "--file", path, "--section", "textcolors"}).out);
    EXPECT_EQ(colours.size(), 153u);
    for (const std::string &id : colours)
        EXPECT_TRUE(id.starts_with("TextColors.")) << id;

    const CommandResult unknown = RunIn({"list", "--file", path, "--section", "Servers"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.out, "");
}

TEST_F(ListCheckTest, CheckFindsNothingInACleanDefaultFile)
{
    WriteBytes(path, TestData("default_client_file.ini"));
    const CommandResult check = RunIn({"check", "--file", path});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.out, "");
    EXPECT_EQ(check.err, "");
}

// A problem planted in a clean file, the line it lands on and a word its report must hold.
struct Plant
{
    std::string after; // the line it goes after; empty for the end of the file
    std::string line;
    std::string reportWord;
};

TEST_F(ListCheckTest, CheckFindsEveryPlantedProblemOnItsLine)
{
    const std::vector<Plant> plants{
        {"[Defaults]", "TrackSortType=SIDEWAYS", "NORMAL"},
        {"[Defaults]", "ChatFontSize=99999", "ChatFontSize"},
        {"[Defaults]", "ScreenMode=full", "'FULL'"},
        {"[TextColors]", "User_52_Red=12", "does not own"},
        {"[TextColors]", "User_1_Red=300", "User_1_Red"},
        {"[Windows640]", "ChatWinX = 1e3", "ChatWinX"},
        {"", "[keymaps]", "appears again"},
    };
    std::string text = TestData("default_client_file.ini");
    for (const Plant &plant : plants) {
        if (plant.after.empty()) {
            text += plant.line + "\r\n";
            continue;
        }
        const std::size_t at = text.find(plant.after + "\r\n");
        ASSERT_NE(at, std::string::npos) << plant.after;
        text.insert(at + plant.after.size() + 2, plant.line + "\r\n");
    }
    WriteBytes(path, text);
    const CommandResult check = RunIn({"check", "--file", path});
    EXPECT_EQ(check.exitCode, 1);
    for (const Plant &plant : plants) {
        const std::size_t at = text.find("\n" + plant.line + "\r\n");
        const std::size_t line = std::count(text.begin(), text.begin() + at + 1, '\n') + 1;
        const std::string prefix = path + ":" + std::to_string(line) + ": ";
        const std::size_t report = check.out.find(prefix);
        ASSERT_NE(report, std::string::npos) << plant.line << "\n" << check.out;
        const std::string reportLine
            = check.out.substr(report, check.out.find('\n', report) - report);
        EXPECT_NE(reportLine.find(plant.reportWord), std::string::npos) << reportLine;
    }
    // The planted first lines hide the clean file's own lines of those keys.
    EXPECT_NE(check.out.find("TrackSortType appears again"), std::string::npos) << check.out;
}

TEST_F(ListCheckTest, CheckReportsAWideByteOrderMark)
{
    WriteBytes(path, std::string("\xFF\xFE[\0D\0", 6));
    const CommandResult check = RunIn({"check", "--file", path});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.out.find(":1: starts with a UTF-16 byte-order mark"), std::string::npos)
        << check.out;
    EXPECT_EQ(RunIn({"set", "--file", path, "Defaults.ScreenMode=FULL"}).exitCode, 1);
    const CommandResult get = RunIn({"get", "--file", path, "Defaults.ScreenMode"});
    EXPECT_EQ(get.exitCode, 1);
    EXPECT_NE(get.err.find("is UTF-16 text"), std::string::npos) << get.err;
    EXPECT_EQ(ReadBytes(path), std::string("\xFF\xFE[\0D\0", 6));
}

} // namespace
