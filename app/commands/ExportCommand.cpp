#include "commands/ClientFileAccess.h"
#include "commands/Commands.h"
#include "commands/ThemeSections.h"
#include "ini/FileSystem.h"

#include <filesystem>
#include <system_error>

namespace {

// A small INI of the chosen sections, each key as a save writes it, in the save's order. Values
// outside what the editor accepts are left out and reported, so that every theme imports.
std::string ThemeText(const ClientSettings &records,
                      const std::set<std::string> &options,
                      const CommandContext &context)
{
    std::string text;
    std::string_view section;
    for (const Setting &setting : SettingCatalogue()) {
        if (!IsChosenForTheme(setting, options))
            continue;
        const std::string value = SettingText(records, setting);
        if (const CheckedValue checked = CheckValue(setting, value); !checked.fileText) {
            ReportError(context, "left out " + checked.refusal, ExitSuccess);
            continue;
        }
        if (setting.section != section) {
            section = setting.section;
            text += (text.empty() ? "[" : "\r\n[") + std::string(section) + "]\r\n";
        }
        text += setting.key + '=' + value + "\r\n";
    }
    return text;
}

bool IsSameFile(const std::string &a, const std::string &b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

int RunExport(const CommandInput &input, const CommandContext &context)
{
    const std::string out = std::filesystem::absolute(input.operands.front()).string();
    if (IsSameFile(out, input.clientPath))
        return ReportError(
            context, "'" + out + "' is the client file itself; choose another file", ExitRefused);
    ClientSettings records;
    if (auto error = LoadClientSettings(input.clientPath, records))
        return ReportError(context, *error, ExitTrouble);
    if (!RealFileSystem().Replace(out, ThemeText(records, input.flags, context)))
        return ReportError(context, "cannot write to '" + out + "'", ExitTrouble);
    return ExitSuccess;
}

} // namespace

const CommandSpec &ExportCommand()
{
    static const CommandSpec command{
        "export",
        "Usage: vezaz export [--file FILE] [--colors] [--windows] [--keys]\n"
        "                    [--containers] [--options] OUT.ini\n"
        "Write a theme file OUT.ini: a small INI file holding only the chosen sections'\n"
        "settings, as another player's 'vezaz import' takes them. OUT.ini is replaced\n"
        "when it exists.\n"
        "\n"
        "      --colors      [TextColors] and [WindowColors]\n"
        "      --windows     the window layouts, [Windows640] to [Windows1600]\n"
        "      --keys        [KeyMaps]\n"
        "      --containers  [BagPositions]\n"
        "      --options     [Defaults]\n"
        "With none of them, all of them.\n"
        "\n"
        "      --file FILE   read FILE instead of the client file the editor would edit\n"
        "  -h, --help        display this help and exit\n",
        {"--colors", "--windows", "--keys", "--containers", "--options"},
        {},
        1,
        1,
        &RunExport,
    };
    return command;
}
