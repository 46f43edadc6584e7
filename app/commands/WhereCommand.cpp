#include "ClientFile.h"
#include "commands/Commands.h"

namespace {

// How the located file was chosen, in the order the window tries the places.
std::string HowLocated(const PlatformProbe &probe)
{
    const std::string file(ClientFileName);
    const auto appPath = probe.readAppPathValue();
    std::string candidate = appPath ? *appPath : std::string(DefaultClientFolder);
    if (!candidate.empty() && candidate.back() != '\\' && candidate.back() != '/')
        candidate += '\\';
    const std::string place = appPath ? "the game's registry entry" : "the game's default folder";
    if (probe.isRegularFile(candidate + file))
        return "found through " + place + "\n";
    return "looked in " + candidate + " (" + place + "): no " + file
           + "\nso the file is the one in this program's folder\n";
}

int RunWhere(const CommandInput &input, const CommandContext &context)
{
    context.out << input.clientPath << '\n';
    if (input.fileGiven)
        context.out << "given with --file\n";
    else
        context.out << HowLocated(context.probe);
    if (!context.probe.isRegularFile(input.clientPath))
        return ReportError(context,
                           "no file '" + input.clientPath
                               + "' yet; the editor's first save creates it",
                           ExitTrouble);
    return ExitSuccess;
}

} // namespace

const CommandSpec &WhereCommand()
{
    static const CommandSpec command{
        "where",
        "Usage: vezaz where [--file FILE]\n"
        "Print the client file the editor would edit and how it was found, or where it\n"
        "was looked for.\n"
        "\n"
        "      --file FILE  the file to report on instead of the located one\n"
        "  -h, --help       display this help and exit\n"
        "\n"
        "Exit status: 0 when the file exists, 1 when no file is there yet.\n",
        {},
        {},
        0,
        0,
        &RunWhere,
    };
    return command;
}
