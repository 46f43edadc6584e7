#include "commands/ClientFileAccess.h"
#include "commands/Commands.h"
#include "commands/SettingNames.h"
#include "commands/TerminalText.h"

namespace {

// The write an operand SETTING=VALUE asks for; nullopt after reporting why it is refused.
std::optional<ValueWrite> ReadAssignment(const std::string &operand, const CommandContext &context)
{
    const std::size_t equals = operand.find('=');
    if (equals == std::string::npos) {
        ReportError(context, "'" + operand + "' is no SETTING=VALUE", ExitRefused);
        return std::nullopt;
    }
    const std::string name = operand.substr(0, equals);
    const Setting *setting = FindSetting(name);
    if (!setting) {
        ReportError(context, UnknownSettingText(name), ExitRefused);
        return std::nullopt;
    }
    const auto fileText = TerminalTextToFile(std::string_view(operand).substr(equals + 1));
    if (!fileText) {
        ReportError(context,
                    setting->id
                        + " takes no such text: it is not UTF-8, or holds a character "
                          "the file's Windows-1252 has not",
                    ExitRefused);
        return std::nullopt;
    }
    CheckedValue checked = CheckValue(*setting, *fileText);
    if (!checked.fileText) {
        ReportError(context, checked.refusal, ExitRefused);
        return std::nullopt;
    }
    return ValueWrite{setting, std::move(*checked.fileText)};
}

int RunSet(const CommandInput &input, const CommandContext &context)
{
    std::vector<ValueWrite> writes;
    bool allValid = true;
    for (const std::string &operand : input.operands) {
        if (auto write = ReadAssignment(operand, context))
            writes.push_back(std::move(*write));
        else
            allValid = false;
    }
    if (!allValid)
        return ExitRefused;
    return WriteIntoFileToChange(input, writes, context);
}

} // namespace

const CommandSpec &SetCommand()
{
    static const CommandSpec command{
        "set",
        "Usage: vezaz set [--file FILE] SETTING=VALUE...\n"
        "Set each SETTING to VALUE, spelled as 'vezaz get' prints it. Every value is\n"
        "checked first; when one is refused, nothing is written. Then all of them are\n"
        "written in one replace of the file that changes only those keys' values and\n"
        "keeps every other byte. A setting missing from the file is added to its\n"
        "section. A missing file is created when named with --file.\n"
        "\n"
        "      --file FILE  change FILE instead of the client file the editor would edit\n"
        "  -h, --help       display this help and exit\n"
        "\n"
        "Exit status: 0 when written, 1 when the file cannot be read or written or\n"
        "changed meanwhile, 2 when a value or setting is refused.\n",
        {},
        {},
        1,
        SIZE_MAX,
        &RunSet,
    };
    return command;
}
