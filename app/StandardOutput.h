#pragma once

#include <string>
#include <string_view>

// Writes the text to standard output and flushes it; false when not all of it arrived (a
// closed or full output), with the reason in problem ("write error: No space left on device").
bool WriteStandardOutput(std::string_view text, std::string &problem);
