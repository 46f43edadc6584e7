#pragma once

#include "ini/NameTable.h"
#include "ini/SectionKeys.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One INI file in memory: its bytes as read, the edits made since, and an index of its sections
// and keys built as far as the reads and writes need it. Finding a section skips from one "["
// to the next rather than splitting every line, and only the sections asked for get their keys
// indexed, so a large file costs little more than its reading. Serialise() gives the original
// bytes with only the edited lines changed and the added lines in place, so everything else
// survives byte for byte.
class ProfileDocument
{
public:
    explicit ProfileDocument(std::string text);
    // Over bytes held elsewhere too, which no one may change: a whole-file load reads the same
    // bytes once per section and keeps one copy of them.
    explicit ProfileDocument(std::shared_ptr<const std::string> text);

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

    // Value() of each key of one section in one call, values[i] for keys[i]: the section is
    // found once and its lines indexed in one pass, and keys asked for in the file's order are
    // met in that order without a hash. The keys must differ, regardless of case.
    void Values(std::string_view section,
                std::span<const std::string_view> keys,
                std::span<std::optional<std::string_view>> values) const;

    // Whether Set() with these arguments would change the file's bytes.
    bool WouldChange(std::string_view section, std::string_view key, std::string_view value) const;

    // Sets the value in place, or appends the key to its section, or the section to the file.
    // The names and the value must be safe (no line break, no "]" in the section, ...).
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialise() const;

private:
    // Where a line of the original text starts, where its content ends and where its line
    // ending ends.
    struct LineSpan
    {
        std::size_t begin;
        std::size_t contentEnd;
        std::size_t end;
    };
    struct Section
    {
        std::string_view name;
        bool added;
        // The header line; the body runs from its end to the next header line or the file's
        // end.
        LineSpan header;
        std::size_t bodyEnd;
        // The last line of the section that is neither blank nor a comment: added keys go
        // after it. Found when the keys are indexed.
        mutable LineSpan anchor;
        // Built on the first search of the section.
        mutable bool keysIndexed;
        mutable SectionKeys keys;
        std::vector<std::string> addedLines;
    };
    // A line of the original text replaced by an edit.
    struct Rewrite
    {
        std::size_t contentEnd;
        std::string content;
    };

    // A line of a section's body: whether it is a key line (not blank, not a comment, not a
    // header) and the key's name, empty for a line that starts with "=".
    struct BodyLine
    {
        LineSpan line;
        std::size_t equals; // the first "=", or line.contentEnd
        std::size_t nul;    // the first NUL byte, or line.contentEnd
        bool isKey;
        std::string_view name;
    };
    BodyLine ScanBodyLine(std::size_t begin) const;
    // ScanBodyLine() into body of a line that starts with key and its "=", the way a save
    // writes it; false for any other line, which ScanBodyLine() then reads.
    bool ScanLineOfKey(std::size_t begin, std::string_view key, BodyLine &body) const;
    // The value a read gives of a key line with an "=" as the file has it, no edit replacing it.
    std::string_view OriginalValue(const BodyLine &body) const;
    // Value() of each key in one pass over a section whose keys are not indexed yet: lines are
    // matched against the key expected next, and only lines out of that order are looked up.
    void ValuesInOnePass(const Section &section,
                         std::span<const std::string_view> keys,
                         std::span<std::optional<std::string_view>> values) const;

    LineSpan LineAt(std::size_t begin) const;
    // Past the line ending that starts at contentEnd (CRLF, LF CR, CR or LF; none at the text's
    // end).
    std::size_t LineEnd(std::size_t contentEnd) const;
    // Where the line holding offset starts, when only blanks stand before offset in it.
    std::optional<std::size_t> BlankLineStart(std::size_t offset) const;
    std::string_view Content(const LineSpan &line) const;
    // Finds the next header line and adds it to m_headers; false at the end of the file.
    bool FindNextHeader() const;
    // The index in m_headers of the first header of that name, searching on as far as needed.
    std::size_t FirstHeaderNamed(std::string_view name) const;
    // The first section of that name; nullptr when the file has none and none was added.
    Section *FindSection(std::string_view name) const;
    const SectionKeys &Keys(const Section &section) const;
    std::optional<KeyPlace> FindKey(const Section &section, std::string_view key) const;
    std::string_view LineContent(const Section &section, KeyPlace place) const;
    // The key's value as a read gives it.
    std::string_view ReadableValueOf(const Section &section, KeyPlace place) const;
    // Whether the key's line has an "=", and so a value a read can give.
    bool HasValue(KeyPlace place) const;
    std::string &EditableLine(Section &section, KeyPlace place);
    Section &AddSection(std::string_view name);
    void AddKey(Section &section, std::string_view key, std::string_view value);
    const std::string &NewLine() const;
    void AppendAddedLines(std::string &out, const std::vector<std::string> &lines) const;
    void KeepNextLineApart(std::string &out, std::size_t next) const;
    void AppendEditedText(std::string &out) const;

    std::shared_ptr<const std::string> m_bytes;
    std::string_view m_text;     // *m_bytes
    std::size_t m_bodyStart = 0; // past a UTF-8 byte-order mark
    bool m_wide = false;
    // Every header line found so far, in the order of the file, duplicates included.
    struct Header
    {
        std::string_view name;
        LineSpan line;
    };
    mutable std::vector<Header> m_headers;
    mutable std::size_t m_searchFrom = 0; // where the search for the next header goes on
    // The sections asked for or added; a deque so references stay valid as more are added.
    mutable std::deque<Section> m_sections;
    // Every section name asked for, with its section or nullptr when the file has none.
    mutable NameTable<Section *> m_sectionIndex;
    mutable Section *m_lastSection = nullptr;
    mutable std::string m_newLine; // the ending most lines use, counted when first needed
    std::map<std::size_t, Rewrite> m_rewrites; // by the line's start
    std::vector<Section *> m_addedSections;
    // Names of added sections and keys, and of sections asked for that the file does not have;
    // a deque so the indexes' views into them stay valid.
    mutable std::deque<std::string> m_addedNames;
};
