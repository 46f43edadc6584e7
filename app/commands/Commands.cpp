#include "commands/Commands.h"

#include "ClientFile.h"
#include "commands/Concat.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

namespace {

const std::array<std::reference_wrapper<const CommandSpec>, 7> &AllCommands()
{
    static const std::array<std::reference_wrapper<const CommandSpec>, 7> commands{
        WhereCommand(),
        GetCommand(),
        SetCommand(),
        ListCommand(),
        CheckCommand(),
        ExportCommand(),
        ImportCommand(),
    };
    return commands;
}

const CommandSpec *FindCommand(std::string_view name)
{
    for (const CommandSpec &command : AllCommands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

bool Lists(const std::vector<std::string_view> &names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string AbsolutePath(const std::string &file)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute.string();
}

// Sorts the arguments into options and operands; what was wrong when they do not fit the
// command.
class ArgumentReader
{
public:
    ArgumentReader(const CommandSpec &command, CommandInput &input)
        : m_command(command)
        , m_input(input)
    {}

    std::optional<std::string> Read(const std::vector<std::string> &arguments, bool &help)
    {
        bool optionsEnded = false;
        for (std::size_t at = 0; at < arguments.size(); ++at) {
            const std::string &argument = arguments[at];
            if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
                m_input.operands.push_back(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "--help" || argument == "-h") {
                help = true;
                return std::nullopt;
            } else if (auto problem = ReadOption(arguments, at)) {
                return problem;
            }
        }
        return CountProblem();
    }

private:
    std::optional<std::string> ReadOption(const std::vector<std::string> &arguments,
                                          std::size_t &at)
    {
        const std::string &argument = arguments[at];
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const bool takesValue = name == "--file" || Lists(m_command.valueOptions, name);
        if (!takesValue) {
            if (equals != std::string::npos || !Lists(m_command.flags, name))
                return "unrecognized option '" + argument + "'";
            m_input.flags.insert(name);
            return std::nullopt;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (at + 1 < arguments.size()) {
            value = arguments[++at];
        } else {
            return "option '" + name + "' requires an argument";
        }
        if (value.empty())
            return "option '" + name + "' requires a non-empty argument";
        if (name == "--file") {
            m_input.clientPath = AbsolutePath(value);
            m_input.fileGiven = true;
        } else {
            m_input.values[name] = value;
        }
        return std::nullopt;
    }

    std::optional<std::string> CountProblem() const
    {
        const std::size_t count = m_input.operands.size();
        if (count < m_command.minimumOperands)
            return "missing operand";
        if (count > m_command.maximumOperands)
            return "extra operand '" + m_input.operands[m_command.maximumOperands] + "'";
        return std::nullopt;
    }

    const CommandSpec &m_command;
    CommandInput &m_input;
};

} // namespace

int ReportError(const CommandContext &context, std::string_view message, int exitCode)
{
    context.err << "vezaz: " << message << '\n';
    return exitCode;
}

bool IsCommandName(std::string_view word)
{
    return FindCommand(word) != nullptr;
}

int RunCommand(std::string_view name,
               const std::vector<std::string> &arguments,
               const CommandContext &context)
{
    const CommandSpec *command = FindCommand(name);
    if (!command)
        return ReportError(context, Concat({"unknown command '", name, "'"}), ExitRefused);
    CommandInput input;
    bool help = false;
    if (auto problem = ArgumentReader(*command, input).Read(arguments, help)) {
        context.err << "vezaz: " << command->name << ": " << *problem << "\nTry 'vezaz "
                    << command->name << " --help' for more information.\n";
        return ExitRefused;
    }
    if (help) {
        context.out << command->usage;
        return ExitSuccess;
    }
    if (!input.fileGiven)
        input.clientPath = LocateClientFolder(context.probe) + std::string(ClientFileName);
    return command->run(input, context);
}
