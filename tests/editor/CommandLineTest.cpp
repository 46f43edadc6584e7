#include "CommandLine.h"

#include "MainWindowFixture.h"
#include "StartupChecks.h"

#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
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

// Runs the built program with no display of any kind, as from a plain terminal or a script;
// its standard output goes to outputFile when one is given.
ProgramRun RunProgram(const QStringList &arguments, const QString &outputFile = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        program.setStandardOutputFile(outputFile);
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

TEST(CommandLineProgram, HelpAndVersionFailWhenStandardOutputCannotBeWritten)
{
    for (const char *option : {"--help", "--version"}) {
        SCOPED_TRACE(option);
        const ProgramRun run = RunProgram({QString::fromLatin1(option)}, "/dev/full");
        EXPECT_NE(run.exitCode, 0);
        EXPECT_EQ(run.err.rfind("vezaz: cannot write to standard output", 0), 0U) << run.err;
    }
}

TEST(CommandLineProgram, AFileThatCannotBeEditedIsRefusedBeforeAnyWindow)
{
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.file("pipe.ini").c_str(), 0644), 0);
    const std::map<std::string, std::string> problems = {
        {folder.path().string(), "it is a folder"},
        {folder.file("pipe.ini"), "it cannot be read"},
        {folder.file("none/dmclient.ini"), "its folder does not exist"},
    };
    for (const auto &[file, problem] : problems) {
        SCOPED_TRACE(file);
        const ProgramRun run = RunProgram({QString::fromStdString(file)});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "vezaz: cannot edit '" + file + "': " + problem + "\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(CommandLineProgram, WithoutADisplayOneLineSaysSoInsteadOfAnAbort)
{
    TempFolder folder;
    // A missing FILE in an existing folder passes the checks; the display is what is missing.
    const ProgramRun run = RunProgram({QString::fromStdString(folder.file("new.ini"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("vezaz: cannot open the display", 0), 0U) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line";
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.ini")));
}

TEST(CommandLineDisplay, TheEnvironmentTellsWhetherADisplayMayOpen)
{
    using Environment = std::map<std::string, std::string>;
    const std::vector<std::pair<Environment, bool>> cases = {
        {{}, false},
        {{{"DISPLAY", ""}}, false},
        {{{"DISPLAY", ":0"}}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"QT_QPA_PLATFORM", "wayland-egl"}, {"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, true},
        {{{"QT_QPA_PLATFORM", "xcb:dpi=96"}}, false},
    };
    for (const auto &[environment, mayOpen] : cases) {
        const bool answer = DisplayMayOpen([&environment = environment](const char *name) {
            const auto found = environment.find(name);
            return found == environment.end() ? nullptr : found->second.c_str();
        });
        EXPECT_EQ(answer, mayOpen) << testing::PrintToString(environment);
    }
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
