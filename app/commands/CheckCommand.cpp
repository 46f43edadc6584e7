#include "commands/ClientFileAccess.h"
#include "commands/Commands.h"
#include "commands/Concat.h"
#include "commands/IniScan.h"
#include "commands/TerminalText.h"
#include "ini/AsciiCase.h"
#include "ini/ProfileDocument.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

struct Finding
{
    std::size_t line;
    std::string text;
};

std::string NameKey(std::string_view section, std::string_view key)
{
    return AsciiUpper(section) + '\n' + AsciiUpper(key);
}

const std::set<std::string> &OwnedSections()
{
    static const std::set<std::string> sections = [] {
        std::set<std::string> names;
        for (const Setting &setting : SettingCatalogue())
            names.insert(AsciiUpper(setting.section));
        return names;
    }();
    return sections;
}

// Finds what the file's layout hides from the editor: sections and keys that are never read,
// keys it does not own. Records where each read key stands.
class LayoutCheck
{
public:
    explicit LayoutCheck(const IniScan &scan)
        : m_scan(scan)
    {}

    void Run(std::vector<Finding> &findings)
    {
        std::vector<bool> readHeaders(m_scan.headers.size(), false);
        std::map<std::string, std::size_t> firstHeader;
        for (std::size_t at = 0; at < m_scan.headers.size(); ++at) {
            const ScannedHeader &header = m_scan.headers[at];
            if (!OwnedSections().contains(AsciiUpper(header.name)))
                continue;
            const auto [first, isFirst] = firstHeader.emplace(AsciiUpper(header.name), at);
            readHeaders[at] = isFirst;
            if (!isFirst)
                findings.push_back({header.line,
                                    Concat({"[",
                                            header.name,
                                            "] appears again; only the section on line ",
                                            std::to_string(m_scan.headers[first->second].line),
                                            " is read"})});
        }
        for (const ScannedKey &key : m_scan.keys) {
            if (readHeaders[key.header])
                CheckKey(key, findings);
        }
    }

    // Where the key read for the setting stands; 0 when the file has none.
    std::size_t LineOf(const Setting &setting) const
    {
        const auto found = m_keyLines.find(NameKey(setting.section, setting.key));
        return found == m_keyLines.end() ? 0 : found->second;
    }

private:
    void CheckKey(const ScannedKey &key, std::vector<Finding> &findings)
    {
        const std::string_view section = m_scan.headers[key.header].name;
        const std::string prefix = Concat({"[", section, "] ", key.key});
        if (!FindSetting(Concat({section, "/", key.key}))) {
            findings.push_back({key.line, prefix + ": a key the editor does not own"});
            return;
        }
        const auto [first, isFirst] = m_keyLines.emplace(NameKey(section, key.key), key.line);
        if (!isFirst)
            findings.push_back({key.line,
                                prefix + " appears again; only line "
                                    + std::to_string(first->second) + " is read"});
    }

    const IniScan &m_scan;
    std::map<std::string, std::size_t> m_keyLines;
};

// Values the window would change on its next save: spelled otherwise than a save writes them,
// or outside the range its pages allow.
void CheckValues(const ProfileDocument &document,
                 const ClientSettings &records,
                 const LayoutCheck &layout,
                 std::vector<Finding> &findings)
{
    for (const Setting &setting : SettingCatalogue()) {
        const auto value = document.Value(setting.section, setting.key);
        if (!value)
            continue;
        const std::string saved = SettingText(records, setting);
        const std::string prefix = Concat(
            {"[", setting.section, "] ", setting.key, "=", FileTextToTerminal(*value), ": "});
        if (document.WouldChange(setting.section, setting.key, saved)) {
            findings.push_back(
                {layout.LineOf(setting),
                 prefix + "the next save writes '" + FileTextToTerminal(saved) + "'"});
        } else if (const CheckedValue checked = CheckValue(setting, saved); !checked.fileText) {
            findings.push_back({layout.LineOf(setting), prefix + checked.refusal});
        }
    }
}

int ReportFindings(const std::string &path,
                   std::vector<Finding> &findings,
                   const CommandContext &context)
{
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return a.line < b.line;
    });
    std::string out;
    for (const Finding &finding : findings)
        out += path + ':' + std::to_string(finding.line) + ": " + finding.text + '\n';
    context.out << out;
    return findings.empty() ? ExitSuccess : ExitTrouble;
}

int RunCheck(const CommandInput &input, const CommandContext &context)
{
    const FileBytes file = ReadFileBytes(input.clientPath);
    if (file.error)
        return ReportError(context, *file.error, ExitTrouble);
    if (!file.bytes)
        return ReportError(context, "no file '" + input.clientPath + "'", ExitTrouble);
    std::vector<Finding> findings;
    if (const auto wide = WideTextKind(*file.bytes)) {
        findings.push_back({1,
                            Concat({"starts with a ",
                                    *wide,
                                    " byte-order mark: the game and the editor read no setting "
                                    "from it, and the editor never writes it"})});
        return ReportFindings(input.clientPath, findings, context);
    }
    const IniScan scan = ScanIni(*file.bytes);
    LayoutCheck layout(scan);
    layout.Run(findings);
    ClientSettings records;
    LoadClientSettings(input.clientPath, records);
    CheckValues(ProfileDocument(*file.bytes), records, layout, findings);
    return ReportFindings(input.clientPath, findings, context);
}

} // namespace

const CommandSpec &CheckCommand()
{
    static const CommandSpec command{
        "check",
        "Usage: vezaz check [--file FILE]\n"
        "Report, one a line as FILE:LINE: PROBLEM, what in the client file the editor\n"
        "would not keep or never reads: values its next save would change (out of\n"
        "range, unknown words, other spellings), keys it does not own inside its\n"
        "sections, sections and keys that appear twice, and a UTF-16 or UTF-32\n"
        "byte-order mark.\n"
        "\n"
        "      --file FILE  check FILE instead of the client file the editor would edit\n"
        "  -h, --help       display this help and exit\n"
        "\n"
        "Exit status: 0 when there is nothing to report, 1 when there is (or the file\n"
        "is missing or cannot be read), 2 on a misused command line.\n",
        {},
        {},
        0,
        0,
        &RunCheck,
    };
    return command;
}
