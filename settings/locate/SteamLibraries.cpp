#include "locate/SteamLibraries.h"

#include "ini/AsciiCase.h"
#include "ini/FileSystem.h"
#include "locate/FolderEntries.h"

#include <optional>

namespace {

struct Token
{
    enum Kind { Text, Open, Close, End, Bad };
    Kind kind = End;
    std::string text;
};

// The tokens of Valve's KeyValues text, as far as Steam writes it.
class KeyValuesTokens
{
public:
    explicit KeyValuesTokens(std::string_view text)
        : m_text(text)
    {}

    Token Next()
    {
        SkipBlanksAndComments();
        if (m_position >= m_text.size())
            return {Token::End, {}};
        const char c = m_text[m_position++];
        if (c == '{')
            return {Token::Open, {}};
        if (c == '}')
            return {Token::Close, {}};
        if (c == '"')
            return ReadQuoted();
        return {Token::Bad, {}};
    }

private:
    void SkipBlanksAndComments()
    {
        while (m_position < m_text.size()) {
            if (m_text.substr(m_position).starts_with("//"))
                m_position = std::min(m_text.find('\n', m_position), m_text.size());
            else if (m_text[m_position] == ' '
                     || (m_text[m_position] >= '\t' && m_text[m_position] <= '\r'))
                ++m_position;
            else
                return;
        }
    }

    // After the opening quote; "\\" and "\"" are the escapes, any other backslash stays.
    Token ReadQuoted()
    {
        Token token{Token::Text, {}};
        while (m_position < m_text.size()) {
            const char c = m_text[m_position++];
            if (c == '"')
                return token;
            const bool escape = c == '\\' && m_position < m_text.size()
                                && (m_text[m_position] == '\\' || m_text[m_position] == '"');
            token.text += escape ? m_text[m_position++] : c;
        }
        return {Token::Bad, {}};
    }

    std::string_view m_text;
    std::size_t m_position = 0;
};

struct KeyValue
{
    std::string key;
    std::string text;
    std::vector<KeyValue> block;
    bool isBlock = false;
};

constexpr int MaxDepth = 32;

// Pairs up to the closing brace (or, at the top, the end); nullopt when malformed.
std::optional<std::vector<KeyValue>> ReadBlock(KeyValuesTokens &tokens, int depth)
{
    std::vector<KeyValue> pairs;
    for (;;) {
        auto key = tokens.Next();
        if (key.kind == (depth == 0 ? Token::End : Token::Close))
            return pairs;
        if (key.kind != Token::Text)
            return std::nullopt;
        KeyValue pair{std::move(key.text), {}, {}, false};
        auto value = tokens.Next();
        if (value.kind == Token::Text) {
            pair.text = std::move(value.text);
        } else if (value.kind == Token::Open && depth < MaxDepth) {
            auto block = ReadBlock(tokens, depth + 1);
            if (!block)
                return std::nullopt;
            pair.block = std::move(*block);
            pair.isBlock = true;
        } else {
            return std::nullopt;
        }
        pairs.push_back(std::move(pair));
    }
}

const KeyValue *FindKey(const std::vector<KeyValue> &pairs, std::string_view key)
{
    for (const auto &pair : pairs) {
        if (EqualsIgnoringAsciiCase(pair.key, key))
            return &pair;
    }
    return nullptr;
}

bool IsNumber(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The library an entry names; entries such as "contentstatsid" name none.
std::optional<std::string> LibraryPath(const KeyValue &entry)
{
    if (!entry.isBlock)
        return IsNumber(entry.key) ? std::optional(entry.text) : std::nullopt;
    const auto *path = FindKey(entry.block, "path");
    if (path == nullptr || path->isBlock)
        return std::nullopt;
    return path->text;
}

void AddListedLibraries(const std::filesystem::path &vdfFile, UniqueFolders &libraries)
{
    const auto text = RealFileSystem().ReadAll(vdfFile.string());
    if (!text)
        return;
    for (const auto &library : ParseLibraryFolders(*text)) {
        if (std::filesystem::path(library).is_absolute())
            libraries.Add(library);
    }
}

} // namespace

std::vector<std::string> ParseLibraryFolders(std::string_view vdfText)
{
    KeyValuesTokens tokens(vdfText);
    const auto root = ReadBlock(tokens, 0);
    const auto *folders = root ? FindKey(*root, "libraryfolders") : nullptr;
    std::vector<std::string> paths;
    if (folders == nullptr || !folders->isBlock)
        return paths;
    for (const auto &entry : folders->block) {
        auto path = LibraryPath(entry);
        if (path && !path->empty())
            paths.push_back(std::move(*path));
    }
    return paths;
}

std::vector<std::filesystem::path>
FindSteamLibraries(const std::vector<std::filesystem::path> &steamRoots)
{
    UniqueFolders libraries;
    for (const auto &root : steamRoots) {
        std::error_code error;
        if (!root.is_absolute() || !std::filesystem::is_directory(root, error))
            continue;
        libraries.Add(root);
        AddListedLibraries(root / "steamapps" / "libraryfolders.vdf", libraries);
        AddListedLibraries(root / "config" / "libraryfolders.vdf", libraries);
    }
    return libraries.Folders();
}
