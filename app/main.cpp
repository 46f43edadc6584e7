#include "AppFont.h"
#include "CommandLine.h"
#include "HintPause.h"
#include "MainForm.h"
#include "ProgramVersion.h"
#include "Seams.h"
#include "StandardOutput.h"
#include "StartupChecks.h"
#include "SvgIcon.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr int HintHidePauseMilliseconds = 10000;

void AttachToStartingConsole()
{
#ifdef _WIN32
    // A windowed program has no console of its own; --help and --version print into the one
    // they were typed in.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        (void) std::freopen("CONOUT$", "w", stdout);
        (void) std::freopen("CONOUT$", "w", stderr);
    }
#endif
}

std::string OwnVersionText()
{
    const auto block = ReadOwnVersionBlock();
    std::string copyright;
    if (block) {
        if (const auto found = block->find(VersionQuery("LegalCopyright")); found != block->end())
            copyright = found->second;
    }
    return VersionText(FileVersionOrUnknown(block), copyright);
}

int Print(const std::string &text)
{
    AttachToStartingConsole();
    return WriteStandardOutput(text) ? 0 : OutputFailureExitCode;
}

// Refuses a FILE that cannot be edited, and a start without a display, before Qt would abort.
std::optional<int> RefuseToOpenWindow(const CommandLine &commandLine)
{
    if (commandLine.clientFile) {
        if (const auto problem = ClientFileProblem(*commandLine.clientFile)) {
            AttachToStartingConsole();
            std::cerr << ClientFileProblemText(*commandLine.clientFile, *problem) << std::flush;
            return CommandLineMisuseExitCode;
        }
    }
    if (!DisplayMayOpen([](const char *name) { return std::getenv(name); })) {
        std::cerr << NoDisplayText() << std::flush;
        return 1;
    }
    return std::nullopt;
}

// Answers --help and --version, or refuses the command line, without a display; nullopt when
// the program goes on to open its window.
std::optional<int> AnswerWithoutWindow(const CommandLine &commandLine)
{
    switch (commandLine.action) {
    case CommandLine::Action::Edit:
        return RefuseToOpenWindow(commandLine);
    case CommandLine::Action::ShowHelp:
        return Print(UsageText());
    case CommandLine::Action::ShowVersion:
        return Print(OwnVersionText());
    case CommandLine::Action::Refuse:
        AttachToStartingConsole();
        std::cerr << RefusalText(commandLine.problem) << std::flush;
        return CommandLineMisuseExitCode;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine commandLine
        = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto exitCode = AnswerWithoutWindow(commandLine))
        return *exitCode;

    // Qt sees the program's name only: the arguments are this program's, and a FILE must not be
    // taken for one of Qt's own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    SetHintHidePause(HintHidePauseMilliseconds);
    QApplication::setApplicationName(QStringLiteral("VEzaz"));
    // Where QSettings keeps the one thing the editor remembers: the file chosen last.
    QApplication::setOrganizationName(QStringLiteral("VEzaz"));
    QApplication::setApplicationDisplayName(QStringLiteral("VEzaz"));
    QApplication::setWindowIcon(SvgIcon(QStringLiteral(":/icons/vezaz.svg")));
    // Lets Wayland desktops tie the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vezaz"));
    ApplyProgramFont();

    // Creating the window reads the client file, then creates the About box, which reads the
    // program's version, and the Help dialog; both live hidden for the whole run.
    TDMini1 mainForm(DefaultSeams(), commandLine.clientFile);
    mainForm.show();
    return QApplication::exec();
}
