#include "commands/TerminalText.h"

std::string FileTextToTerminal(std::string_view fileText)
{
    return std::string(fileText);
}

std::optional<std::string> TerminalTextToFile(std::string_view terminalText)
{
    return std::string(terminalText);
}
