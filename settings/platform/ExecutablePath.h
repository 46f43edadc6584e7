#pragma once

#include <string>

// The full path of the running executable, as Windows gives it; empty if it cannot tell.
std::wstring RunningExecutablePath();
