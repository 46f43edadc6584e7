#include "CommandLine.h"

#include "commands/Commands.h"

#include <filesystem>
#include <system_error>

namespace {

CommandLine Answer(CommandLine::Action action)
{
    CommandLine commandLine;
    commandLine.action = action;
    return commandLine;
}

CommandLine Refuse(std::string problem)
{
    CommandLine commandLine = Answer(CommandLine::Action::Refuse);
    commandLine.problem = std::move(problem);
    return commandLine;
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

// Where the command word stands: first, or after a leading "--file FILE" or "--file=FILE".
std::size_t CommandWordPosition(const std::vector<std::string> &arguments)
{
    if (!arguments.empty() && arguments.front() == "--file")
        return 2;
    if (!arguments.empty() && arguments.front().starts_with("--file="))
        return 1;
    return 0;
}

std::optional<CommandLine> ParseCommand(const std::vector<std::string> &arguments)
{
    const std::size_t at = CommandWordPosition(arguments);
    if (at >= arguments.size() || !IsCommandName(arguments[at]))
        return std::nullopt;
    CommandLine commandLine = Answer(CommandLine::Action::RunCommand);
    commandLine.command = arguments[at];
    commandLine.commandArguments.assign(arguments.begin(), arguments.begin() + at);
    commandLine.commandArguments.insert(
        commandLine.commandArguments.end(), arguments.begin() + at + 1, arguments.end());
    return commandLine;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &arguments)
{
    if (auto command = ParseCommand(arguments))
        return *command;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string &argument : arguments) {
        if (optionsEnded || !IsOption(argument)) {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return Answer(CommandLine::Action::ShowHelp);
        } else if (argument == "--version") {
            return Answer(CommandLine::Action::ShowVersion);
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
    CommandLine edit = Answer(CommandLine::Action::Edit);
    edit.clientFile = AbsolutePath(files.front());
    return edit;
}

std::string UsageText()
{
    return "Usage: vezaz [FILE]\n"
           "  or:  vezaz [--file FILE] COMMAND [ARGUMENT...]\n"
           "Edit the Duskmarch client settings file: text and window colours, window\n"
           "layouts, key maps and the general switches.\n"
           "\n"
           "With no FILE, edit the dmclient.ini chosen last in the window, while it\n"
           "exists; else the one of the game's folder, found through the game's entry in\n"
           "the registry (without Windows: in the Wine prefixes, $WINEPREFIX, ~/.wine and\n"
           "those of Steam/Proton, Lutris, Bottles and Heroic), else in\n"
           "C:\\PROGRA~1\\DUSKMA~1\\; else the one beside this program. Every copy found is\n"
           "listed by 'vezaz where' and in the window's File, Found menu. A FILE that does\n"
           "not exist yet is created by the first save. In the window, File, Open...\n"
           "(Ctrl+O) or dropping a file on it opens another file; 'vezaz -- FILE' opens a\n"
           "FILE named like a command.\n"
           "\n"
           "A COMMAND works on the same file without a window or a display:\n"
           "  where                     print the client file's path and how it was found\n"
           "  get SETTING...            print settings' values, one a line\n"
           "  set SETTING=VALUE...      check values, then write them all at once\n"
           "  list [--changed] [--section SECTION] [--json]\n"
           "                            print every setting, its value, default and label\n"
           "  check                     report what the editor would change or never read\n"
           "  export [--colors] [--windows] [--keys] [--containers] [--options] OUT.ini\n"
           "                            write the chosen sections to a theme file\n"
           "  import IN.ini             take a theme file's settings into the client file\n"
           "A SETTING is named Section.Key or Section/Key, such as Defaults.ScreenMode or\n"
           "KeyMaps.KEYMAP_JUMP. 'vezaz COMMAND --help' tells more.\n"
           "\n"
           "      --file FILE  let the COMMAND work on FILE instead of the located file\n"
           "  -h, --help       display this help and exit\n"
           "      --version    output version information and exit\n"
           "\n"
           "Exit status: 0 on success, 1 when there is something to report or a file\n"
           "cannot be read or written, 2 on a misused command line or a refused value.\n";
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
