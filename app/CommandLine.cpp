#include "CommandLine.h"

#include <filesystem>
#include <system_error>

namespace {

CommandLine Refuse(std::string problem)
{
    return {CommandLine::Action::Refuse, std::nullopt, std::move(problem)};
}

bool IsOption(const std::string &argument)
{
    return !argument.empty() && argument.front() == '-';
}

std::string AbsolutePath(const std::string &file)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute.string();
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &arguments)
{
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string &argument : arguments) {
        if (optionsEnded || !IsOption(argument)) {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return {CommandLine::Action::ShowHelp, std::nullopt, {}};
        } else if (argument == "--version") {
            return {CommandLine::Action::ShowVersion, std::nullopt, {}};
        } else {
            return Refuse("unrecognized option '" + argument + "'");
        }
    }
    if (files.size() > 1)
        return Refuse("only one FILE can be edited at a time");
    if (files.empty())
        return {};
    if (files.front().empty())
        return Refuse("the FILE name is empty");
    return {CommandLine::Action::Edit, AbsolutePath(files.front()), {}};
}

std::string UsageText()
{
    return "Usage: vezaz [FILE]\n"
           "Edit the Duskmarch client settings file: text and window colours, window\n"
           "layouts, key maps and the general switches.\n"
           "\n"
           "With no FILE, edit the dmclient.ini chosen last in the window, while it\n"
           "exists; else the one of the game's folder, found through the game's entry in\n"
           "the registry (without Windows: in the Wine prefixes, $WINEPREFIX, ~/.wine and\n"
           "those of Steam, Lutris and Bottles), else in C:\\PROGRA~1\\DUSKMA~1\\; else the one\n"
           "beside this program. A FILE that does not exist yet is created by the first\n"
           "save. In the window, File, Open... (Ctrl+O) or dropping a file on it opens\n"
           "another file.\n"
           "\n"
           "  -h, --help     display this help and exit\n"
           "      --version  output version information and exit\n";
}

std::string VersionText(const std::string &fileVersion, const std::string &copyright)
{
    std::string text = "vezaz " + fileVersion + "\n";
    if (!copyright.empty())
        text += copyright + "\n";
    return text;
}

std::string RefusalText(const std::string &problem)
{
    return "vezaz: " + problem + "\nTry 'vezaz --help' for more information.\n";
}
