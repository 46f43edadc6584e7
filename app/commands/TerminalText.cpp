#include "commands/TerminalText.h"

#include "ini/Windows1252.h"

std::string FileTextToTerminal(std::string_view fileText)
{
    return Windows1252ToUtf8(fileText);
}

std::optional<std::string> TerminalTextToFile(std::string_view terminalText)
{
    return Utf8ToWindows1252(terminalText);
}
