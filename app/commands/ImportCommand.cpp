#include "commands/ClientFileAccess.h"
#include "commands/Commands.h"
#include "commands/Concat.h"
#include "commands/IniScan.h"
#include "commands/TerminalText.h"
#include "ini/AsciiCase.h"
#include "ini/ProfileDocument.h"

#include <filesystem>
#include <set>

namespace {

// Takes the keys of a theme file one by one: the settings to write, what it ignores and what it
// refuses, each reported on the error stream with its line.
class ThemeReader
{
public:
    ThemeReader(const std::string &path, std::string_view bytes, const CommandContext &context)
        : m_path(path)
        , m_document(std::string(bytes))
        , m_context(context)
    {}

    bool refused() const { return m_refused; }

    void Take(const IniScan &scan, std::vector<ValueWrite> &writes)
    {
        for (const ScannedKey &key : scan.keys)
            TakeKey(scan.headers[key.header].name, key, writes);
    }

private:
    void TakeKey(std::string_view section, const ScannedKey &key, std::vector<ValueWrite> &writes)
    {
        const std::string name = Concat({"[", section, "] ", key.key});
        const Setting *setting = FindSetting(Concat({section, "/", key.key}));
        if (!setting)
            return Report(key, name + ": ignored, a key the editor does not own");
        const auto value = m_document.Value(section, key.key);
        if (!value || !m_taken.insert(AsciiUpper(setting->id)).second)
            return Report(key, name + ": ignored, it appears again and only the first is read");
        CheckedValue checked = CheckValue(*setting, *value);
        if (!checked.fileText) {
            m_refused = true;
            return Report(key, name + "=" + FileTextToTerminal(*value) + ": " + checked.refusal);
        }
        writes.push_back({setting, std::move(*checked.fileText)});
    }

    void Report(const ScannedKey &key, const std::string &text)
    {
        ReportError(m_context, m_path + ':' + std::to_string(key.line) + ": " + text, 0);
    }

    const std::string &m_path;
    ProfileDocument m_document;
    const CommandContext &m_context;
    std::set<std::string> m_taken;
    bool m_refused = false;
};

int RunImport(const CommandInput &input, const CommandContext &context)
{
    const std::string themePath = std::filesystem::absolute(input.operands.front()).string();
    const FileBytes theme = ReadFileBytes(themePath);
    if (theme.error)
        return ReportError(context, *theme.error, ExitTrouble);
    if (!theme.bytes)
        return ReportError(context, "no file '" + themePath + "'", ExitTrouble);
    if (const auto wide = WideTextKind(*theme.bytes))
        return ReportError(context, WideTextRefusal(themePath, *wide), ExitRefused);
    std::vector<ValueWrite> writes;
    ThemeReader reader(themePath, *theme.bytes, context);
    reader.Take(ScanIni(*theme.bytes), writes);
    if (reader.refused())
        return ReportError(context, "nothing imported", ExitRefused);
    if (writes.empty())
        return ReportError(
            context, "'" + themePath + "' holds no setting the editor owns", ExitTrouble);
    return WriteIntoFileToChange(input, writes, context);
}

} // namespace

const CommandSpec &ImportCommand()
{
    static const CommandSpec command{
        "import",
        "Usage: vezaz import [--file FILE] IN.ini\n"
        "Take every setting of the theme file IN.ini (as 'vezaz export' writes it) into\n"
        "the client file. Every value is checked first; when one is refused, nothing is\n"
        "written. Keys the editor does not own are ignored and reported. Then all values\n"
        "are written in one replace of the client file that keeps every other byte.\n"
        "\n"
        "      --file FILE  change FILE instead of the client file the editor would edit\n"
        "  -h, --help       display this help and exit\n"
        "\n"
        "Exit status: 0 when written, 1 when a file cannot be read or written, 2 when a\n"
        "value is refused.\n",
        {},
        {},
        1,
        1,
        &RunImport,
    };
    return command;
}
