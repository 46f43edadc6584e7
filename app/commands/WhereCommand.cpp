#include "commands/Commands.h"
#include "locate/ClientFileLocation.h"
#include "locate/LocationReport.h"

namespace {

int RunWhere(const CommandInput &input, const CommandContext &context)
{
    ClientFileLocation location = LocateClientFile(context.probe);
    if (input.fileGiven)
        location = WithNamedFile(std::move(location), input.clientPath, context.probe);
    context.out << LocationReportText(location);
    return location.exists ? ExitSuccess : ExitTrouble;
}

} // namespace

const CommandSpec &WhereCommand()
{
    static const CommandSpec command{
        "where",
        "Usage: vezaz where [--file FILE]\n"
        "Print the client file the editor would edit and how it was found: through the\n"
        "registry, in the default folder, in which Wine prefix and for which launcher, or\n"
        "in this program's folder; then the other client files found, or, when none\n"
        "was found, every folder looked in.\n"
        "\n"
        "      --file FILE  report on FILE, as the window would with FILE given\n"
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
