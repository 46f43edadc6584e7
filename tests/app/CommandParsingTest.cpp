#include "CommandLine.h"
#include "CommandRun.h"
#include "TempFolder.h"
#include "commands/ClientFileAccess.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(CommandWords, ACommandWordWinsOverAFileAndDoubleDashOpensTheFile)
{
    const CommandLine get = ParseCommandLine({"get", "Defaults.ScreenMode"});
    EXPECT_EQ(get.action, CommandLine::Action::RunCommand);
    EXPECT_EQ(get.command, "get");
    EXPECT_EQ(get.commandArguments, std::vector<std::string>{"Defaults.ScreenMode"});

    const CommandLine file = ParseCommandLine({"--", "get"});
    EXPECT_EQ(file.action, CommandLine::Action::Edit);
    EXPECT_EQ(file.clientFile, (std::filesystem::current_path() / "get").string());

    const CommandLine given = ParseCommandLine({"--file", "a.ini", "set", "X=1"});
    EXPECT_EQ(given.action, CommandLine::Action::RunCommand);
    EXPECT_EQ(given.command, "set");
    EXPECT_EQ(given.commandArguments, (std::vector<std::string>{"--file", "a.ini", "X=1"}));

    EXPECT_EQ(ParseCommandLine({"--file=a.ini", "list"}).action, CommandLine::Action::RunCommand);
    EXPECT_EQ(ParseCommandLine({"gets"}).action, CommandLine::Action::Edit);
}

TEST(CommandWords, MisuseIsReportedWithTheCommandsNameAndExitTwo)
{
    const CommandResult unknownOption = RunIn({"get", "--frob", "X"});
    EXPECT_EQ(unknownOption.exitCode, 2);
    EXPECT_EQ(unknownOption.err,
              "vezaz: get: unrecognized option '--frob'\n"
              "Try 'vezaz get --help' for more information.\n");
    EXPECT_EQ(RunIn({"get"}).exitCode, 2);
    EXPECT_EQ(RunIn({"list", "extra"}).exitCode, 2);
    EXPECT_EQ(RunIn({"list", "--section"}).exitCode, 2);
    EXPECT_EQ(RunIn({"get", "--file", "x.ini", "Defaults.NoSuchKey"}).exitCode, 2);

    const CommandResult help = RunIn({"set", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: vezaz set", 0), 0u);
}

TEST(CommandWords, SettingsAreNamedWithADotOrASlashInAnyLetterCase)
{
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
    WriteBytes(path, "[Windows1024]\r\nPlayerWinX=17\r\n");
    for (const char *name : {"Windows1024.PlayerWinX", "windows1024/playerwinx"})
        EXPECT_EQ(RunIn({"get", "--file", path, name}).out, "17\n") << name;
}

TEST(CommandWords, KeyBindingsCrossBetweenTheTerminalsUtf8AndTheFilesWindows1252)
{
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
    WriteBytes(path, "[KeyMaps]\r\nKEYMAP_JUMP=\x80\r\n");
    EXPECT_EQ(RunIn({"get", "--file", path, "KeyMaps.KEYMAP_JUMP"}).out, "\xE2\x82\xAC\n");

    EXPECT_EQ(RunIn({"set", "--file", path, "KeyMaps.KEYMAP_JUMP=\xC3\xA9"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(path), "[KeyMaps]\r\nKEYMAP_JUMP=\xE9\r\n");
    for (const char *refused : {"\xFF", "\xC4\x81"}) {
        const CommandResult set
            = RunIn({"set", "--file", path, std::string("KeyMaps.KEYMAP_JUMP=") + refused});
        EXPECT_EQ(set.exitCode, 2);
        EXPECT_EQ(ReadBytes(path), "[KeyMaps]\r\nKEYMAP_JUMP=\xE9\r\n");
    }
}

TEST(CommandWords, WhereTellsTheFileAndExitsOneWhenThereIsNoneYet)
{
    const CommandResult none = RunIn({"where"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out.rfind("/nonexistent/dmclient.ini\n", 0), 0u) << none.out;
    EXPECT_NE(none.out.find("Looked in:"), std::string::npos) << none.out;

    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
    WriteBytes(path, "[Defaults]\r\n");
    const CommandResult named = RunIn({"where", "--file", path});
    EXPECT_EQ(named.exitCode, 0);
    EXPECT_EQ(named.out.rfind(path + "\n", 0), 0u) << named.out;
}

TEST(ClientFileWrites, AFileIsCreatedOnlyWhereTheCommandWasToldTo)
{
    const CommandResult located = RunIn({"set", "Defaults.ScreenMode=FULL"});
    EXPECT_EQ(located.exitCode, 1);
    EXPECT_EQ(located.err.rfind("vezaz: no client file found (/nonexistent/dmclient.ini", 0), 0u)
        << located.err;

    TempFolder folder;
    const std::string named = folder.file("new.ini");
    EXPECT_EQ(RunIn({"set", "--file", named, "Defaults.ScreenMode=FULL"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(named), "[Defaults]\r\nScreenMode=FULL\r\n");
}

TEST(ClientFileWrites, AFileChangedSinceItWasReadIsNotWritten)
{
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
    WriteBytes(path, "[Defaults]\r\nChatFontSize=3\r\n");
    const FileBytes read = ReadFileBytes(path);
    WriteBytes(path, "[Defaults]\r\nChatFontSize=5\r\n");

    const Setting *setting = FindSetting("Defaults.ChatFontSize");
    ASSERT_NE(setting, nullptr);
    const auto error = WriteValues(path, read.bytes, {{setting, "4"}});
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("changed since it was read"), std::string::npos) << *error;
    EXPECT_EQ(ReadBytes(path), "[Defaults]\r\nChatFontSize=5\r\n");

    EXPECT_FALSE(WriteValues(path, ReadFileBytes(path).bytes, {{setting, "4"}}));
    EXPECT_EQ(ReadBytes(path), "[Defaults]\r\nChatFontSize=4\r\n");
}

TEST(ClientFileWrites, AnUnreadableFileIsReportedNotTakenForDefaults)
{
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
    std::filesystem::create_directory(path);
    const CommandResult get = RunIn({"get", "--file", path, "Defaults.ScreenMode"});
    EXPECT_EQ(get.exitCode, 1);
    EXPECT_EQ(get.out, "");
    EXPECT_EQ(get.err.rfind("vezaz: cannot read '" + path + "'", 0), 0u) << get.err;
    EXPECT_EQ(RunIn({"set", "--file", path, "Defaults.ScreenMode=FULL"}).exitCode, 1);
}

} // namespace
