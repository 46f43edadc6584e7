#include "CommandLine.h"

#include "MainWindowFixture.h"

#include <filesystem>
#include <string>
#include <vector>

#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace {

CommandLine Parse(std::vector<std::string> arguments)
{
    return ParseCommandLine(arguments);
}

struct ProgramRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built program with no display of any kind, as from a plain terminal or a script.
ProgramRun RunProgram(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VEZAZ_PROGRAM), arguments);
    // Generous: the program answers at once, but a window opened by mistake must not hang the
    // run.
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        ADD_FAILURE() << "the program did not end by itself";
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            program.readAllStandardOutput().toStdString(),
            program.readAllStandardError().toStdString()};
}

} // namespace

TEST(CommandLineParsing, NoArgumentsEditTheLocatedFile)
{
    const CommandLine none = Parse({});
    EXPECT_EQ(none.action, CommandLine::Action::Edit);
    EXPECT_FALSE(none.clientFile.has_value());
}

TEST(CommandLineParsing, AFileIsMadeAbsoluteAndMayLookLikeAnOptionAfterTheEndOfOptions)
{
    const CommandLine relative = Parse({"my client.ini"});
    EXPECT_EQ(relative.action, CommandLine::Action::Edit);
    EXPECT_EQ(relative.clientFile, (std::filesystem::current_path() / "my client.ini").string());

    const CommandLine absolute = Parse({"/games/dm/dmclient.ini"});
    EXPECT_EQ(absolute.clientFile, "/games/dm/dmclient.ini");

    const CommandLine dashed = Parse({"--", "-odd.ini"});
    EXPECT_EQ(dashed.action, CommandLine::Action::Edit);
    EXPECT_EQ(dashed.clientFile, (std::filesystem::current_path() / "-odd.ini").string());
}

TEST(CommandLineParsing, HelpAndVersionWinOverAFile)
{
    EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(Parse({"-h"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(Parse({"dmclient.ini", "--help"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(Parse({"--version"}).action, CommandLine::Action::ShowVersion);
}

TEST(CommandLineParsing, UnknownOptionsSecondFilesAndEmptyNamesAreRefused)
{
    const CommandLine unknown = Parse({"--frobnicate", "dmclient.ini"});
    EXPECT_EQ(unknown.action, CommandLine::Action::Refuse);
    EXPECT_NE(unknown.problem.find("'--frobnicate'"), std::string::npos) << unknown.problem;
    EXPECT_EQ(Parse({"-"}).action, CommandLine::Action::Refuse);
    EXPECT_EQ(Parse({"a.ini", "b.ini"}).action, CommandLine::Action::Refuse);
    EXPECT_EQ(Parse({""}).action, CommandLine::Action::Refuse);
}

TEST(CommandLineProgram, VersionPrintsTheFileVersionWithoutADisplay)
{
    const ProgramRun run = RunProgram({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "vezaz 0.3.3.2");
    EXPECT_EQ(run.err, "");
}

TEST(CommandLineProgram, HelpPrintsTheUsageWithoutADisplay)
{
    const ProgramRun run = RunProgram({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: vezaz [FILE]\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("--version"), std::string::npos);
    // Where the file is looked for, and how to choose another.
    for (const char *part :
         {"registry", "~/.wine", "C:\\PROGRA~1\\DUSKMA~1\\", "beside this program", "Open"})
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    EXPECT_EQ(run.err, "");
}

TEST(CommandLineProgram, AnUnknownOptionIsAMisuseReportedOnTheErrorStream)
{
    const ProgramRun run = RunProgram({QStringLiteral("--bogus")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "vezaz: unrecognized option '--bogus'\n"
              "Try 'vezaz --help' for more information.\n");
}

class ClientFileArgumentTest : public MainWindowFixture
{
protected:
    QString statusHint(int panel)
    {
        auto *label = find<QLabel>(QStringLiteral("StatusPanel%1").arg(panel));
        return label ? label->toolTip() : QString();
    }
};

TEST_F(ClientFileArgumentTest, TheGivenFileIsTheOneReadReloadedAndSaved)
{
    const std::string located = "[Defaults]\r\nChatFontSize=4\r\n";
    WriteBytes(iniPath(), located);
    const std::string given = folder.file("other client.ini");
    WriteBytes(given, "[Defaults]\r\nChatFontSize=7\r\n");
    clientFileArgument = given;
    StartWithoutFile();

    EXPECT_EQ(window().clientIniPath(), given);
    EXPECT_EQ(window().settings().Defaults.ChatFontSize, 7);
    // Panel 1 and the hints name the file.
    EXPECT_EQ(statusText(0), "Editing User_1");
    EXPECT_EQ(statusText(1), "Editing " + QString::fromStdString(given));
    EXPECT_EQ(statusHint(0), QString::fromStdString(given));
    EXPECT_EQ(statusHint(1), QString::fromStdString(given));

    WriteBytes(given, "[Defaults]\r\nChatFontSize=9\r\n");
    clickToolButton(QStringLiteral("ToolButton1"));
    EXPECT_EQ(window().settings().Defaults.ChatFontSize, 9);
    EXPECT_EQ(statusText(1), "Reloading " + QString::fromStdString(given));

    window().settings().Defaults.ChatFontSize = 11;
    clickToolButton(QStringLiteral("ToolButton2"));
    EXPECT_EQ(statusText(1), "Saving changes to " + QString::fromStdString(given));
    EXPECT_NE(ReadBytes(given).find("ChatFontSize=11"), std::string::npos);
    EXPECT_EQ(fileBytes(), located);
}

TEST_F(ClientFileArgumentTest, AMissingFileStartsFromDefaultsAndIsCreatedByTheFirstSave)
{
    const std::string given = folder.file("new.ini");
    clientFileArgument = given;
    StartWithoutFile();
    EXPECT_EQ(window().settings().KeyMaps[0], "NUMLOCK");
    EXPECT_FALSE(std::filesystem::exists(given));

    clickToolButton(QStringLiteral("ToolButton2"));

    ASSERT_TRUE(std::filesystem::exists(given));
    ClientSettings saved;
    LoadAllSections(given, saved);
    EXPECT_EQ(saved, window().settings());
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
}

TEST_F(ClientFileArgumentTest, WithoutAFileTheHintsNameTheLocatedOne)
{
    StartWithoutFile();
    EXPECT_EQ(statusHint(0), QString::fromStdString(iniPath()));
    // Followed by the places looked in, since none of them held the file.
    EXPECT_TRUE(statusHint(1).startsWith(QString::fromStdString(iniPath()) + "\n"));
}
