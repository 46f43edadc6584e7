// Coverage-guided fuzzing of the INI layer and its typed access.
//
// An input is a client file, optionally followed by a backslash and a script of writes (a
// backslash inside the file is written as two). Besides crashes and sanitizer findings, every
// input checks the promises a save makes:
//  - writing back every value a read gives, as text or as a value of a typed encoding that
//    spells it the same way, changes no byte of the file;
//  - after a write, a read gives the value written, as the platform trims and cuts it, both
//    from the same accessor and from a new one over the saved file;
//  - a write whose names or value would change the file's structure, or into a UTF-16 file,
//    is refused and changes nothing;
//  - every line the writes did not touch is still there, in order;
//  - a section's keys read in one call, in the file's order or the reverse, give what reading
//    each alone gives.
// A file without a script gets a fixed script over its own names, so every seed checks all
// of the above.

#include "ini/IniError.h"
#include "ini/SuppUnit.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const std::string Path = "dmclient.ini";
// The longest value a read gives.
constexpr std::size_t MaxValueLength = 2047;
// Stands for a missing key: no read of a real file gives it.
const std::string Missing = "\x01<missing>\x01";
constexpr std::size_t MaxNames = 64;
constexpr std::size_t MaxWrites = 24;

[[noreturn]] void Fail(const char *what, std::string_view section, std::string_view key)
{
    std::fprintf(stderr,
                 "property broken: %s\n  section [%.*s]\n  key %.*s\n",
                 what,
                 static_cast<int>(section.size()),
                 section.data(),
                 static_cast<int>(key.size()),
                 key.data());
    std::abort();
}

void Check(bool holds, const char *what, std::string_view section = {}, std::string_view key = {})
{
    if (!holds)
        Fail(what, section, key);
}

// One file, held in memory: the fuzzer runs millions of saves, and a real disk would spend its
// time in fsync() rather than in the code under test.
class MemoryFileSystem : public FileSystem
{
public:
    explicit MemoryFileSystem(std::string content)
        : m_content(std::move(content))
    {}

    const std::string &content() const { return m_content; }
    int replaceCalls() const { return m_replaceCalls; }

    std::optional<std::string> ReadAll(const std::string &) override { return m_content; }
    bool CanReplace(const std::string &) override { return true; }
    bool Replace(const std::string &, std::string_view content) override
    {
        ++m_replaceCalls;
        m_content = content;
        return true;
    }

private:
    std::string m_content;
    int m_replaceCalls = 0;
};

// ---------------------------------------------------------------------------------------------
// The file as a person reads it, independent of the layer's own parser.

// Space, tab, vertical tab, form feed and 0x1A: what the platform trims around names and values.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A name as the platform matches it: trimmed, then ended by a NUL.
std::string_view NameOf(std::string_view text)
{
    text = Trim(text);
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (auto &c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// Lines without their endings; "\r\n", "\n\r" (unless its "\r" starts a "\r\n"), "\n" and a
// lone "\r" each end a line.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const auto end = std::min(text.find_first_of("\r\n", begin), text.size());
        lines.push_back(text.substr(begin, end - begin));
        const auto ending = text.substr(end, 3);
        const bool pair
            = ending.starts_with("\r\n") || (ending.starts_with("\n\r") && ending != "\n\r\n");
        begin = end + (pair ? 2 : 1);
    }
    return lines;
}

struct FileNames
{
    std::vector<std::string> sections;
    std::vector<std::pair<std::string, std::string>> keys; // with their section
};

FileNames NamesIn(std::string_view text)
{
    FileNames names;
    std::string section;
    for (const auto line : SplitLines(text)) {
        const auto trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[' && trimmed.rfind(']') != std::string_view::npos) {
            section = NameOf(trimmed.substr(1, trimmed.rfind(']') - 1));
            if (names.sections.size() < MaxNames)
                names.sections.push_back(section);
        } else if (names.keys.size() < MaxNames) {
            names.keys.emplace_back(section, NameOf(trimmed.substr(0, trimmed.find('='))));
        }
    }
    return names;
}

// The name of the key a line holds; empty for any other line.
std::string KeyOfLine(std::string_view line)
{
    const auto trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#'
        || (trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos))
        return {};
    return Lower(NameOf(trimmed.substr(0, trimmed.find('='))));
}

// ---------------------------------------------------------------------------------------------
// What the platform promises.

// UTF-16 or UTF-32, by the byte-order mark.
bool IsWideText(std::string_view text)
{
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")
           || text.starts_with(std::string_view("\0\0\xFE\xFF", 4));
}

bool HasLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsSafeName(std::string_view name)
{
    return !name.empty() && !IsBlank(name.front()) && !IsBlank(name.back())
           && !HasLineBreakOrNul(name);
}

bool IsSafeSection(std::string_view section)
{
    return IsSafeName(section) && section.find(']') == std::string_view::npos;
}

bool IsSafeKey(std::string_view key)
{
    return IsSafeName(key) && key.find('=') == std::string_view::npos && key.front() != '['
           && key.front() != ';' && key.front() != '#';
}

// What a read gives after this value was written: no blanks around it, no pair of enclosing
// quotes, at most 2047 characters.
std::string ReadBack(std::string_view value)
{
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, MaxValueLength));
}

// ---------------------------------------------------------------------------------------------
// Writing back what was read changes nothing.

void WriteBackAsText(TDMStyleIniFile &ini, const std::string &section, const std::string &key)
{
    const auto text = ini.ReadText(section, key, Missing);
    if (text == Missing)
        return;
    try {
        ini.WriteText(section, key, text);
        Check(IsSafeSection(section) && IsSafeKey(key), "unsafe names accepted", section, key);
    } catch (const IniWriteError &) {
        Check(!IsSafeSection(section) || !IsSafeKey(key), "write-back refused", section, key);
    }
}

// Each typed write of the value its read gives, where the encoding spells it as the file does.
void WriteBackTyped(TDMStyleIniFile &ini, const std::string &section, const std::string &key)
{
    if (!IsSafeSection(section) || !IsSafeKey(key))
        return;
    const auto text = ini.ReadText(section, key, Missing);
    if (text == Missing)
        return;
    if (const auto number = ini.ReadNumber(section, key, 0); text == std::to_string(number))
        ini.WriteNumber(section, key, number);
    if (text == "0" || text == "1")
        ini.WriteDigitFlag(section, key, ini.ReadDigitFlag(section, key, false));
    if (text == "TRUE" || text == "FALSE")
        ini.WriteTrueFalse(section, key, ini.ReadTrueFalse(section, key, false));
    const auto level = ini.ReadOffLevel(section, key, 0);
    Check(level >= 0 && level <= 4, "off level out of range", section, key);
    if (text == "OFF" || (text.size() == 1 && text[0] >= '1' && text[0] <= '4'))
        ini.WriteOffLevel(section, key, level);
}

void CheckWritingBackChangesNothing(const std::string &file)
{
    const auto names = NamesIn(file);
    MemoryFileSystem files(file);
    {
        TDMStyleIniFile ini(Path, files);
        for (const auto &[section, key] : names.keys) {
            WriteBackAsText(ini, section, key);
            WriteBackTyped(ini, section, key);
        }
        ini.UpdateFile();
    }
    Check(files.replaceCalls() == 0 && files.content() == file, "write-back changed the file");
}

// ---------------------------------------------------------------------------------------------
// A script of writes.

enum class WriteKind {
    Text,
    LongText,
    Number,
    DigitFlag,
    TrueFalse,
    OffLevel,
    kMaxValue = OffLevel, // the name FuzzedDataProvider::ConsumeEnum() looks for
};

struct Write
{
    WriteKind kind;
    std::string section;
    std::string key;
    std::string text; // the value of a text write
    std::int32_t number = 0;
};

std::string PickName(FuzzedDataProvider &input, const std::vector<std::string> &known)
{
    if (!known.empty() && input.ConsumeBool())
        return known[input.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)];
    return input.ConsumeRandomLengthString(40);
}

Write ConsumeWrite(FuzzedDataProvider &input,
                   const std::vector<std::string> &sections,
                   const std::vector<std::string> &keys)
{
    Write write;
    write.kind = input.ConsumeEnum<WriteKind>();
    write.section = PickName(input, sections);
    write.key = PickName(input, keys);
    if (write.kind == WriteKind::Text) {
        write.text = input.ConsumeRandomLengthString(300);
    } else if (write.kind == WriteKind::LongText) {
        // Around the 2047 characters a read gives, sometimes in quotes or blanks.
        const auto length = input.ConsumeIntegralInRange<std::size_t>(2040, 2056);
        const std::string wrap = input.PickValueInArray<std::string>({"", "\"", "'", " "});
        write.text = wrap + std::string(length, input.ConsumeIntegral<char>()) + wrap;
    } else {
        write.number = input.ConsumeIntegral<std::int32_t>();
    }
    return write;
}

// For a file without a script: a new value for each of its keys, a new key in each of its
// sections and a new section.
std::vector<Write> FixedScript(const FileNames &names)
{
    std::vector<Write> writes;
    for (const auto &[section, key] : names.keys)
        writes.push_back({WriteKind::Text, section, key, "v" + std::to_string(writes.size()), 0});
    for (const auto &section : names.sections)
        writes.push_back({WriteKind::Number, section, "AddedKey", {}, -7});
    writes.push_back({WriteKind::TrueFalse, "Added Section", "Flag", {}, 1});
    return writes;
}

// The names each file offers a script: its sections and its keys.
std::vector<std::string> KeyNames(const FileNames &names)
{
    std::vector<std::string> keys;
    for (const auto &entry : names.keys)
        keys.push_back(entry.second);
    return keys;
}

std::string TextOf(const Write &write)
{
    switch (write.kind) {
    case WriteKind::Text:
    case WriteKind::LongText:
        return write.text;
    case WriteKind::Number:
        return std::to_string(write.number);
    case WriteKind::DigitFlag:
        return write.number & 1 ? "1" : "0";
    case WriteKind::TrueFalse:
        return write.number & 1 ? "TRUE" : "FALSE";
    case WriteKind::OffLevel:
        return write.number == 0 ? "OFF" : std::to_string(write.number);
    }
    return {};
}

void Apply(TDMStyleIniFile &ini, const Write &write)
{
    const auto &s = write.section;
    const auto &k = write.key;
    const bool on = write.number & 1;
    switch (write.kind) {
    case WriteKind::Text:
    case WriteKind::LongText:
        return ini.WriteText(s, k, write.text);
    case WriteKind::Number:
        return ini.WriteNumber(s, k, write.number);
    case WriteKind::DigitFlag:
        return ini.WriteDigitFlag(s, k, on);
    case WriteKind::TrueFalse:
        return ini.WriteTrueFalse(s, k, on);
    case WriteKind::OffLevel:
        return ini.WriteOffLevel(s, k, write.number);
    }
}

// The typed read gives back what the typed write wrote.
void CheckTypedReadBack(TDMStyleIniFile &ini, const Write &write)
{
    const auto &s = write.section;
    const auto &k = write.key;
    const bool on = write.number & 1;
    switch (write.kind) {
    case WriteKind::Text:
    case WriteKind::LongText:
        break;
    case WriteKind::Number:
        Check(ini.ReadNumber(s, k, ~write.number) == write.number, "number read back", s, k);
        break;
    case WriteKind::DigitFlag:
        Check(ini.ReadDigitFlag(s, k, !on) == on, "digit flag read back", s, k);
        break;
    case WriteKind::TrueFalse:
        Check(ini.ReadTrueFalse(s, k, !on) == on, "true/false read back", s, k);
        break;
    case WriteKind::OffLevel:
        Check(ini.ReadOffLevel(s, k, 0) == write.number, "off level read back", s, k);
        break;
    }
}

using Expectations = std::map<std::pair<std::string, std::string>, std::string>;

// Makes the write and checks what a read then gives; records the value that should be saved.
void WriteAndCheck(TDMStyleIniFile &ini,
                   const Write &write,
                   bool wide,
                   Expectations &expected,
                   std::vector<std::string> &writtenKeys)
{
    const auto &s = write.section;
    const auto &k = write.key;
    const auto text = TextOf(write);
    const bool writesNothing
        = write.kind == WriteKind::OffLevel && (write.number < 0 || write.number > 4);
    const bool refused
        = !writesNothing && (wide || !IsSafeSection(s) || !IsSafeKey(k) || HasLineBreakOrNul(text));
    const auto before = ini.ReadText(s, k, Missing);
    try {
        Apply(ini, write);
        Check(!refused, "unsafe or wide-text write accepted", s, k);
    } catch (const IniWriteError &error) {
        Check(refused, "safe write refused", s, k);
        Check(error.what() == "Unable to write to " + Path, "refusal message", s, k);
    }
    const auto after = ini.ReadText(s, k, Missing);
    if (refused || writesNothing) {
        Check(after == before, "refused write changed the value", s, k);
        return;
    }
    Check(after == ReadBack(text), "text read back", s, k);
    CheckTypedReadBack(ini, write);
    expected[{Lower(s), Lower(k)}] = after;
    writtenKeys.push_back(Lower(k));
}

// Every line of the original that holds none of the written keys is in the result, in order.
void CheckUntouchedLinesKept(const std::string &before,
                             const std::string &after,
                             const std::vector<std::string> &writtenKeys)
{
    // A UTF-8 byte-order mark stays at the very start and is no part of the first line.
    const std::string_view mark = "\xEF\xBB\xBF";
    Check(before.starts_with(mark) == after.starts_with(mark), "byte-order mark lost or added");
    const auto skip = before.starts_with(mark) ? mark.size() : 0;
    const auto oldLines = SplitLines(std::string_view(before).substr(skip));
    const auto newLines = SplitLines(std::string_view(after).substr(skip));
    Check(newLines.size() >= oldLines.size(), "lines lost");
    std::size_t next = 0;
    for (const auto line : oldLines) {
        const auto key = KeyOfLine(line);
        if (!key.empty()
            && std::find(writtenKeys.begin(), writtenKeys.end(), key) != writtenKeys.end())
            continue;
        while (next < newLines.size() && newLines[next] != line)
            ++next;
        Check(next < newLines.size(), "untouched line lost or moved", {}, line);
        ++next;
    }
}

void CheckScript(const std::string &file, const std::vector<Write> &writes)
{
    const bool wide = IsWideText(file);
    MemoryFileSystem files(file);
    Expectations expected;
    std::vector<std::string> writtenKeys;
    {
        TDMStyleIniFile ini(Path, files);
        for (const auto &write : writes)
            WriteAndCheck(ini, write, wide, expected, writtenKeys);
        ini.UpdateFile();
    }
    Check(!wide || files.content() == file, "UTF-16 or UTF-32 file changed");
    TDMStyleIniFile saved(Path, files);
    for (const auto &[names, value] : expected)
        Check(saved.ReadText(names.first, names.second, Missing) == value,
              "saved value read back",
              names.first,
              names.second);
    CheckUntouchedLinesKept(file, files.content(), writtenKeys);
    CheckWritingBackChangesNothing(files.content());
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Reading many keys at once gives what reading each alone gives.

// The keys of each section in the file's order, each name once regardless of letter case.
std::map<std::string, std::vector<std::string_view>> KeysBySection(const FileNames &names)
{
    std::map<std::string, std::vector<std::string_view>> keys;
    std::map<std::string, std::vector<std::string>> seen;
    for (const auto &[section, key] : names.keys) {
        auto &lower = seen[Lower(section)];
        if (std::find(lower.begin(), lower.end(), Lower(key)) != lower.end())
            continue;
        lower.push_back(Lower(key));
        keys[section].push_back(key);
    }
    return keys;
}

void CheckReadingAllAtOnce(const std::string &file, const FileNames &names)
{
    for (auto [section, keys] : KeysBySection(names)) {
        for (int order = 0; order < 2; ++order) {
            MemoryFileSystem files(file);
            TDMStyleIniFile batch(Path, files);
            TDMStyleIniFile single(Path, files);
            std::vector<std::optional<std::string_view>> values(keys.size());
            batch.FindValues(section, keys, values);
            for (std::size_t i = 0; i < keys.size(); ++i)
                Check(values[i] == single.FindValue(section, keys[i]),
                      "one call reads another value",
                      section,
                      keys[i]);
            std::reverse(keys.begin(), keys.end());
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string file = input.ConsumeRandomLengthString(size);
    const auto names = NamesIn(file);
    const auto keys = KeyNames(names);

    CheckWritingBackChangesNothing(file);
    CheckReadingAllAtOnce(file, names);

    std::vector<Write> writes;
    if (input.remaining_bytes() == 0)
        writes = FixedScript(names);
    while (input.remaining_bytes() > 0 && writes.size() < MaxWrites)
        writes.push_back(ConsumeWrite(input, names.sections, keys));
    CheckScript(file, writes);
    return 0;
}
