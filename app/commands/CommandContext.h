#pragma once

#include "locate/Platform.h"

#include <cstddef>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Exit codes the GNU way.
inline constexpr int ExitSuccess = 0;
// Something to report (check), no file yet (where), or a failure to read or write.
inline constexpr int ExitTrouble = 1;
// A misused command or a refused value: nothing was written.
inline constexpr int ExitRefused = 2;

// Where a command writes and how it finds the client file.
struct CommandContext
{
    std::ostream &out;
    std::ostream &err;
    // Locates the client file as the window does when --file is not given.
    PlatformProbe probe;
};

// A command's arguments once its options are sorted out.
struct CommandInput
{
    std::string clientPath; // --file's, made absolute, or the located one
    bool fileGiven = false;
    std::set<std::string> flags;               // the options without a value that were given
    std::map<std::string, std::string> values; // the options with a value
    std::vector<std::string> operands;
};

using CommandRun = int (*)(const CommandInput &input, const CommandContext &context);

// What the dispatcher needs to know of a command.
struct CommandSpec
{
    std::string_view name;
    std::string_view usage; // the text of its --help
    std::vector<std::string_view> flags;
    std::vector<std::string_view> valueOptions;
    std::size_t minimumOperands;
    std::size_t maximumOperands;
    CommandRun run;
};

// Writes "vezaz: " and the message to the error stream; returns the exit code.
int ReportError(const CommandContext &context, std::string_view message, int exitCode);
