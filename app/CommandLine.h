#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line asks for: vezaz [--help | --version | [--] FILE], or a command that
// answers without the window: vezaz [--file FILE] COMMAND [ARGUMENT...].
struct CommandLine
{
    enum class Action { Edit, ShowHelp, ShowVersion, Refuse, RunCommand };

    Action action = Action::Edit;
    // Edit: the file to edit instead of the located one, made absolute; none when not given.
    std::optional<std::string> clientFile;
    // Refuse: what was wrong, for the error stream.
    std::string problem;
    // RunCommand: the command's word and the arguments it reads itself (a leading --file
    // included).
    std::string command;
    std::vector<std::string> commandArguments;
};

// Reads the arguments after the program's name. A command word first (after an optional
// --file FILE) runs that command, even when a file of that name exists; otherwise options come
// before "--" and a single argument that is not an option is the file to edit.
CommandLine ParseCommandLine(const std::vector<std::string> &arguments);

// The texts of --help and --version, each ending in a line break. The version is the FileVersion
// of the program's version block, or "Unknown".
std::string UsageText();
std::string VersionText(const std::string &fileVersion, const std::string &copyright);
// The lines for the error stream after a refused command line.
std::string RefusalText(const std::string &problem);

// The exit code of a refused command line, as for any misuse of a command.
inline constexpr int CommandLineMisuseExitCode = 2;
