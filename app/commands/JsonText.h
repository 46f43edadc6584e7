#pragma once

#include <string>
#include <string_view>

// The text as a JSON string literal, quotes included. The text must be UTF-8; control
// characters, quotes and backslashes are escaped, everything else is kept as it is.
std::string JsonString(std::string_view text);
