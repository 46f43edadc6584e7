#include "commands/ClientFileAccess.h"
#include "commands/Commands.h"
#include "commands/JsonText.h"
#include "commands/TerminalText.h"
#include "ini/AsciiCase.h"

#include <algorithm>

namespace {

struct ListedSetting
{
    const Setting *setting;
    std::string value;        // in the terminal's text
    std::string defaultValue; // in the terminal's text
};

std::string ListLine(const ListedSetting &listed)
{
    return listed.setting->id + '\t' + listed.value + '\t' + listed.defaultValue + '\t'
           + listed.setting->label + '\n';
}

std::string JsonObject(const ListedSetting &listed)
{
    const Setting &setting = *listed.setting;
    return "{\"id\":" + JsonString(setting.id) + ",\"section\":" + JsonString(setting.section)
           + ",\"key\":" + JsonString(setting.key) + ",\"value\":" + JsonString(listed.value)
           + ",\"default\":" + JsonString(listed.defaultValue)
           + ",\"label\":" + JsonString(setting.label)
           + ",\"description\":" + JsonString(setting.description) + "}";
}

std::string JsonArray(const std::vector<ListedSetting> &listed)
{
    std::string out = "[";
    for (std::size_t at = 0; at < listed.size(); ++at)
        out += (at == 0 ? "\n" : ",\n") + JsonObject(listed[at]);
    out += "\n]\n";
    return out;
}

bool IsSectionName(std::string_view name)
{
    const auto catalogue = SettingCatalogue();
    return std::any_of(catalogue.begin(), catalogue.end(), [&](const Setting &setting) {
        return EqualsIgnoringAsciiCase(setting.section, name);
    });
}

std::vector<ListedSetting> ListedSettings(const ClientSettings &records, const CommandInput &input)
{
    const bool changedOnly = input.flags.contains("--changed");
    const auto section = input.values.find("--section");
    std::vector<ListedSetting> listed;
    for (const Setting &setting : SettingCatalogue()) {
        if (section != input.values.end()
            && !EqualsIgnoringAsciiCase(setting.section, section->second))
            continue;
        std::string value = SettingText(records, setting);
        if (changedOnly && value == setting.defaultText)
            continue;
        listed.push_back(
            {&setting, FileTextToTerminal(value), FileTextToTerminal(setting.defaultText)});
    }
    return listed;
}

int RunList(const CommandInput &input, const CommandContext &context)
{
    if (const auto section = input.values.find("--section");
        section != input.values.end() && !IsSectionName(section->second))
        return ReportError(context,
                           "no section '" + section->second + "' holds settings the editor owns",
                           ExitRefused);
    ClientSettings records;
    if (auto error = LoadClientSettings(input.clientPath, records))
        return ReportError(context, *error, ExitTrouble);
    const std::vector<ListedSetting> listed = ListedSettings(records, input);
    if (input.flags.contains("--json")) {
        context.out << JsonArray(listed);
        return ExitSuccess;
    }
    std::string out;
    for (const ListedSetting &setting : listed)
        out += ListLine(setting);
    context.out << out;
    return ExitSuccess;
}

} // namespace

const CommandSpec &ListCommand()
{
    static const CommandSpec command{
        "list",
        "Usage: vezaz list [--file FILE] [--changed] [--section SECTION] [--json]\n"
        "Print every setting the editor owns, one a line: its name, its value, its\n"
        "default and its label, separated by tabs.\n"
        "\n"
        "      --changed          only the settings whose value is not the default\n"
        "      --section SECTION  only the settings of that section, such as TextColors\n"
        "      --json             a JSON array of objects with the fields id, section,\n"
        "                         key, value, default, label and description\n"
        "      --file FILE        read FILE instead of the client file the editor would edit\n"
        "  -h, --help             display this help and exit\n",
        {"--changed", "--json"},
        {"--section"},
        0,
        0,
        &RunList,
    };
    return command;
}
