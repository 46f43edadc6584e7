#include "locate/LutrisGames.h"

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// 'single' (where '' is a quote) or "double" (with \\ and \" escapes); nullopt when unclosed.
std::optional<std::string> QuotedScalar(std::string_view text)
{
    const char quote = text.front();
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const bool doubledQuote
            = quote == '\'' && text[i] == '\'' && i + 1 < text.size() && text[i + 1] == '\'';
        const bool escape = quote == '"' && text[i] == '\\' && i + 1 < text.size();
        if (doubledQuote || escape)
            value += text[++i];
        else if (text[i] == quote)
            return value;
        else
            value += text[i];
    }
    return std::nullopt;
}

std::optional<std::string> Scalar(std::string_view text)
{
    text = Trimmed(text);
    const bool quoted = !text.empty() && (text.front() == '\'' || text.front() == '"');
    auto value = quoted ? QuotedScalar(text)
                        : std::optional(std::string(Trimmed(text.substr(0, text.find(" #")))));
    if (value && value->empty())
        return std::nullopt;
    return value;
}

bool IsTopLevelGameLine(std::string_view content)
{
    if (!content.starts_with("game:"))
        return false;
    const auto rest = Trimmed(content.substr(5));
    return rest.empty() || rest.front() == '#';
}

} // namespace

std::optional<std::string> LutrisGamePrefix(std::string_view gameYaml)
{
    constexpr std::string_view PrefixKey = "prefix:";
    bool inGame = false;
    std::size_t childIndent = std::string_view::npos;
    while (!gameYaml.empty()) {
        const auto end = gameYaml.find('\n');
        auto line = gameYaml.substr(0, end);
        gameYaml.remove_prefix(end == std::string_view::npos ? gameYaml.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const auto indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos || line[indent] == '#')
            continue;
        const auto content = line.substr(indent);
        if (indent == 0) {
            inGame = IsTopLevelGameLine(content);
            childIndent = std::string_view::npos;
        } else if (inGame) {
            if (childIndent == std::string_view::npos)
                childIndent = indent;
            if (indent == childIndent && content.starts_with(PrefixKey))
                return Scalar(content.substr(PrefixKey.size()));
        }
    }
    return std::nullopt;
}
