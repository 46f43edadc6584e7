#pragma once

#include <string>

// Flushes standard output; false when what was written did not all arrive (a closed or full
// output), with the reason in problem.
bool FlushStandardOutput(std::string &problem);
