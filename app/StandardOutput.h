#pragma once

#include <string_view>

// Writes the text to standard output and flushes it. False when any of it could not be written
// (a full disk, a closed pipe), after saying so on the error stream: a command whose output was
// lost must not report success.
bool WriteStandardOutput(std::string_view text);

// The exit code of a command whose output could not be written.
inline constexpr int OutputFailureExitCode = 1;
