#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Hash and equality of names that ignore ASCII letter case, so the index can be searched with
// the caller's spelling without building a lower-cased copy.
struct CaseInsensitiveHash
{
    std::size_t operator()(std::string_view text) const noexcept;
};
struct CaseInsensitiveEqual
{
    bool operator()(std::string_view left, std::string_view right) const noexcept;
};

// One INI file in memory: its bytes as read, parsed once into an index of sections and keys,
// and the edits made since. Serialise() gives the original bytes with only the edited lines
// changed and the added lines in place, so everything else survives byte for byte.
class ProfileDocument
{
public:
    explicit ProfileDocument(std::string text);

    // A file that starts with the byte-order mark of UTF-16 (or UTF-32). Its text cannot be
    // read byte by byte, so it reads as empty and must never be written: lines of single-byte
    // text written into it would ruin it.
    bool IsWideText() const { return m_wide; }

    ProfileDocument(const ProfileDocument &) = delete;
    ProfileDocument &operator=(const ProfileDocument &) = delete;

    // The key's value as a read gives it: without the blanks around it and one pair of
    // enclosing quotes, ending before a NUL byte and cut to 2047 characters. nullopt when the
    // section or the key is missing.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

    // Whether Set() with these arguments would change the file's bytes.
    bool WouldChange(std::string_view section, std::string_view key, std::string_view value) const;

    // Sets the value in place, or appends the key to its section, or the section to the file.
    // The names and the value must be safe (no line break, no "]" in the section, ...).
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialise() const;

private:
    struct LineSpan
    {
        std::size_t begin;
        std::size_t contentEnd;
        std::size_t end;
    };
    // Where a key's line lives: a line of the original text, or a line this document added
    // to the section.
    struct KeyPlace
    {
        bool added;
        std::size_t index;
    };
    using KeyIndex
        = std::unordered_map<std::string_view, KeyPlace, CaseInsensitiveHash, CaseInsensitiveEqual>;
    struct Section
    {
        std::string_view name;
        // The header line and the line after the section's body; npos for an added section.
        std::size_t headerLine;
        std::size_t endLine;
        // The last line of the section that is neither blank nor a comment: added keys go
        // after it. npos for a section this document added.
        std::size_t anchorLine;
        // Built on the first search of the section, so a large file with many sections the
        // caller never asks for costs no more than splitting it into lines.
        mutable bool keysIndexed;
        mutable KeyIndex keys;
        std::vector<std::string> addedLines;
    };

    void SplitLines();
    void IndexLines();
    std::string_view OriginalLine(std::size_t line) const;
    std::string_view LineContent(const Section &section, KeyPlace place) const;
    std::string &EditableLine(Section &section, KeyPlace place);
    const Section *FindSection(std::string_view name) const;
    const KeyIndex &Keys(const Section &section) const;
    std::optional<KeyPlace> FindKey(const Section &section, std::string_view key) const;
    Section &AddSection(std::string_view name);
    void AddKey(Section &section, std::string_view key, std::string_view value);
    std::string_view Ending(std::size_t line) const;
    bool StartsWithLineFeed(std::size_t line) const;
    void AppendAddedLines(std::string &out, const std::vector<std::string> &lines) const;

    std::string m_text;
    std::size_t m_bodyStart = 0; // past a UTF-8 byte-order mark
    bool m_wide = false;
    std::vector<LineSpan> m_lines;
    std::string m_newLine;
    std::vector<Section> m_sections;
    std::unordered_map<std::string_view, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual>
        m_sectionIndex;
    std::unordered_map<std::size_t, std::string> m_rewrittenLines;
    std::vector<std::size_t> m_addedSections;
    // Names of added sections and keys; a deque so the index's views into them stay valid.
    std::deque<std::string> m_addedNames;
};
