#pragma once

#include "commands/CommandContext.h"

#include <string>
#include <string_view>
#include <vector>

// Whether the word names one of the commands answered without the window.
bool IsCommandName(std::string_view word);

// Runs the command with the arguments that follow its word; its exit code.
int RunCommand(std::string_view name,
               const std::vector<std::string> &arguments,
               const CommandContext &context);

// Each command is described and run by a file of its own.
const CommandSpec &WhereCommand();
const CommandSpec &GetCommand();
const CommandSpec &SetCommand();
const CommandSpec &ListCommand();
const CommandSpec &CheckCommand();
const CommandSpec &ExportCommand();
const CommandSpec &ImportCommand();
