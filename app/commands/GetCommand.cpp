#include "commands/ClientFileAccess.h"
#include "commands/Commands.h"
#include "commands/SettingNames.h"
#include "commands/TerminalText.h"

namespace {

int RunGet(const CommandInput &input, const CommandContext &context)
{
    std::vector<const Setting *> settings;
    if (!FindSettings(input.operands, context, settings))
        return ExitRefused;
    ClientSettings records;
    if (auto error = LoadClientSettings(input.clientPath, records))
        return ReportError(context, *error, ExitTrouble);
    for (const Setting *setting : settings)
        context.out << FileTextToTerminal(SettingText(records, *setting)) << '\n';
    return ExitSuccess;
}

} // namespace

const CommandSpec &GetCommand()
{
    static const CommandSpec command{
        "get",
        "Usage: vezaz get [--file FILE] SETTING...\n"
        "Print each SETTING's value, one a line, as the editor would save it: FULL or\n"
        "NORMAL, TRUE or FALSE, OFF or a digit, a decimal number, a key binding's text.\n"
        "A setting missing from the file prints its default.\n"
        "\n"
        "SETTING is a name such as Defaults.ScreenMode, TextColors.User_5_Red,\n"
        "Windows1024.PlayerWinX or KeyMaps.KEYMAP_JUMP, or Section/Key; letter case is\n"
        "ignored. 'vezaz list' shows them all.\n"
        "\n"
        "      --file FILE  read FILE instead of the client file the editor would edit\n"
        "  -h, --help       display this help and exit\n",
        {},
        {},
        1,
        SIZE_MAX,
        &RunGet,
    };
    return command;
}
