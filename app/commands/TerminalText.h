#pragma once

#include <optional>
#include <string>
#include <string_view>

// The terminal speaks UTF-8, the client file Windows-1252: every value crosses between them
// here.
std::string FileTextToTerminal(std::string_view fileText);
// nullopt when the text is no UTF-8 or holds a character Windows-1252 has not.
std::optional<std::string> TerminalTextToFile(std::string_view terminalText);
