#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line asks for: vezaz [--help | --version | [--] FILE].
struct CommandLine
{
    enum class Action { Edit, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Edit;
    // Edit: the file to edit instead of the located one, made absolute; none when not given.
    std::optional<std::string> clientFile;
    // Refuse: what was wrong, for the error stream.
    std::string problem;
};

// Reads the arguments after the program's name. Options come before "--"; a single argument
// that is not an option is the file to edit.
CommandLine ParseCommandLine(const std::vector<std::string> &arguments);

// The texts of --help and --version, each ending in a line break. The version is the FileVersion
// of the program's version block, or "Unknown".
std::string UsageText();
std::string VersionText(const std::string &fileVersion, const std::string &copyright);
// The lines for the error stream after a refused command line.
std::string RefusalText(const std::string &problem);

// The exit code of a refused command line, as for any misuse of a command.
inline constexpr int CommandLineMisuseExitCode = 2;
