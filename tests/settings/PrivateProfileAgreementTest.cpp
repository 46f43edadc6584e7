// Our private-profile layer against the platform's own GetPrivateProfileStringA and
// WritePrivateProfileStringA, on copies of the same files: every value read must agree, and
// every line our writes did not touch stays byte for byte, its ending included.
#include "TempFolder.h"
#include "TrickyFile.h"
#include "ini/PrivateProfile.h"

#include <initializer_list>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

const std::string Default = "<default>";

struct Probe
{
    std::string section;
    std::string key;
    bool operator<(const Probe &other) const
    {
        return std::tie(section, key) < std::tie(other.section, other.key);
    }
};

struct KeyWrite
{
    std::string section;
    std::string key;
    std::string value;
};

struct SampleFile
{
    std::string name;
    std::string bytes;
    // Writes this file gets besides those every file gets.
    std::vector<KeyWrite> writes = {};
};

void PrintTo(const SampleFile &file, std::ostream *out)
{
    *out << file.name;
}

std::string PlatformRead(const std::string &path, const Probe &probe)
{
    char buffer[2048];
    GetPrivateProfileStringA(probe.section.c_str(),
                             probe.key.c_str(),
                             Default.c_str(),
                             buffer,
                             sizeof buffer,
                             path.c_str());
    return buffer;
}

bool PlatformWrite(const std::string &path, const KeyWrite &write)
{
    return WritePrivateProfileStringA(
               write.section.c_str(), write.key.c_str(), write.value.c_str(), path.c_str())
           != 0;
}

void PlatformFlush(const std::string &path)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

// The platform trims these around names and values.
constexpr std::string_view Blanks = " \t\v\f\x1a";

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// A name as the platform matches it: trimmed, then ended by a NUL.
std::string NameOf(std::string_view text)
{
    const auto trimmed = Trim(text);
    return std::string(trimmed.substr(0, std::min(trimmed.find('\0'), trimmed.size())));
}

// A name a request can spell: a request's names are taken as they are, while the platform
// trims them, so ours is never asked for one with blanks around it (a NUL can leave one so).
bool IsRequestable(std::string_view name)
{
    return !name.empty() && name == Trim(name);
}

std::string Upper(std::string text)
{
    for (auto &c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

bool IsComment(std::string_view line)
{
    return line.starts_with(';') || line.starts_with('#');
}

// Every section and key name the file spells: each key under its own section, under the
// section's name upper-cased with the key's upper-cased too, and under a section that is not
// there. Comment lines (";" or "#" first) are left out, where ours answers differently on
// purpose: the platform takes them for keys named with the ";", which ours never reads and
// refuses to write. The program asks for no such key.
std::set<Probe> ProbesOf(const std::string &bytes)
{
    std::set<Probe> probes;
    std::string section;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const auto end = std::min(bytes.find_first_of("\r\n", begin), bytes.size());
        const auto line = Trim(std::string_view(bytes).substr(begin, end - begin));
        begin = end + 1;
        if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
            section = NameOf(line.substr(1, line.rfind(']') - 1));
            continue;
        }
        if (section.empty() || line.empty() || IsComment(line))
            continue;
        const auto key = NameOf(line.substr(0, line.find('=')));
        if (!IsRequestable(section) || !IsRequestable(key))
            continue;
        probes.insert({section, key});
        probes.insert({Upper(section), Upper(key)});
        probes.insert({"No Such Section", key});
    }
    return probes;
}

class PrivateProfileAgreementTest : public testing::TestWithParam<SampleFile>
{
protected:
    TempFolder folder;
    const std::string ours = folder.file("ours.ini");
    const std::string platforms = folder.file("platform.ini");

    void ExpectSameReads(const std::string &label,
                         const std::string &ourFile,
                         const std::string &platformFile,
                         const std::set<Probe> &probes)
    {
        PrivateProfileFile profile(ourFile, RealFileSystem());
        for (const auto &probe : probes) {
            EXPECT_EQ(profile.GetString(probe.section, probe.key, Default),
                      PlatformRead(platformFile, probe))
                << label << ": [" << probe.section << "] " << probe.key;
        }
    }
};

// A line with its ending: CRLF, LF CR (unless its CR starts a CRLF), CR or LF.
std::vector<std::string_view> LinesWithEndings(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        auto end = std::min(text.find_first_of("\r\n", begin), text.size());
        const auto ending = text.substr(end, 3);
        if (ending.starts_with("\r\n") || (ending.starts_with("\n\r") && ending != "\n\r\n"))
            end += 2;
        else if (!ending.empty())
            end += 1;
        lines.push_back(text.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

// Every line of the original that names none of the written keys is in the result unchanged and
// in order. The last line may gain an ending when lines are added after it.
void ExpectUntouchedLinesKept(const std::string &before,
                              const std::string &after,
                              const std::vector<KeyWrite> &writes)
{
    std::set<std::string> written;
    for (const auto &write : writes)
        written.insert(Upper(write.key));
    std::size_t from = 0;
    for (const auto line : LinesWithEndings(before)) {
        const auto trimmed = Trim(line.substr(0, line.find_first_of("\r\n")));
        const bool header = trimmed.starts_with('[') && trimmed.find(']') != std::string_view::npos;
        if (!header && written.contains(Upper(NameOf(trimmed.substr(0, trimmed.find('='))))))
            continue;
        const auto at = after.find(line, from);
        ASSERT_NE(at, std::string::npos)
            << "line lost, changed or moved: " << testing::PrintToString(std::string(line));
        from = at + line.size();
    }
}

// The writes every file gets: keys in place, keys new to a section, a new section, values
// with blanks, quotes and equals signs, an empty value.
std::vector<KeyWrite> WritesFor(const std::set<Probe> &probes)
{
    std::vector<KeyWrite> writes;
    int count = 0;
    for (const auto &probe : probes) {
        // Ours refuses a section name with a "]" in it: the header would read as another.
        if (probe.section == "No Such Section" || probe.section.find(']') != std::string::npos
            || ++count % 7 != 0)
            continue;
        writes.push_back({probe.section, probe.key, "written " + std::to_string(count)});
    }
    writes.push_back({"Defaults", "VideoMode", "3"});
    writes.push_back({"Added Section", "Key", "value"});
    writes.push_back({"Added Section", "Spaced", "a b"});
    writes.push_back({"Added Section", "Equals", "x=y"});
    writes.push_back({"Added Section", "Quoted", "\"q\""});
    writes.push_back({"Added Section", "Empty", ""});
    writes.push_back({"added section", "KEY", "again"});
    return writes;
}

TEST_P(PrivateProfileAgreementTest, ReadsAndWritesGiveTheSameValuesAsThePlatform)
{
    const auto &bytes = GetParam().bytes;
    WriteBytes(ours, bytes);
    WriteBytes(platforms, bytes);
    auto probes = ProbesOf(bytes);
    ExpectSameReads("before writes", ours, platforms, probes);

    // The platform writes the whole file back with every name as a C string: a name a NUL ends
    // loses what follows it, and the blanks before the NUL, once trimmed, no longer keep it from
    // being another key's name. Its own file then means something else than the original, so
    // for such a file the platform's read of ours is the reference.
    const bool platformWrites = bytes.find('\0') == std::string::npos;
    const auto &reference = platformWrites ? platforms : ours;
    auto writes = WritesFor(probes);
    writes.insert(writes.end(), GetParam().writes.begin(), GetParam().writes.end());
    {
        PrivateProfileFile profile(ours, RealFileSystem());
        for (const auto &write : writes) {
            EXPECT_TRUE(profile.WriteString(write.section, write.key, write.value));
            const Probe probe{write.section, write.key};
            probes.insert(probe);
            if (!platformWrites)
                continue;
            EXPECT_TRUE(PlatformWrite(platforms, write)) << write.key;
            // Each side sees its own write at once.
            EXPECT_EQ(profile.GetString(probe.section, probe.key, Default),
                      PlatformRead(platforms, probe))
                << "[" << write.section << "] " << write.key;
        }
        EXPECT_TRUE(profile.Flush());
        PlatformFlush(platforms);
    }

    ExpectSameReads("after writes", ours, reference, probes);
    ExpectUntouchedLinesKept(bytes, ReadBytes(ours), writes);
    // Each file reads back the same through both, whoever wrote it.
    ExpectSameReads("our file through both", ours, ours, probes);
    ExpectSameReads("the platform's file through both", reference, reference, probes);
}

// Files of lines drawn from a fixed seed: headers and keys with every blank the platform trims
// around their names and values, names a NUL ends, comments, blank lines, and every line
// ending, LF CR included.
class RandomFile
{
public:
    explicit RandomFile(unsigned seed)
        : m_random(seed)
    {}

    std::string Bytes()
    {
        std::string bytes;
        const auto lines = 8 + Below(16);
        for (std::size_t line = 0; line < lines; ++line)
            bytes += Line() + Pick({"\r\n", "\n", "\r", "\n\r", "\r\n", ""});
        return bytes;
    }

private:
    std::size_t Below(std::size_t bound) { return m_random() % bound; }

    std::string Pick(std::initializer_list<std::string> choices)
    {
        return *(choices.begin() + static_cast<std::ptrdiff_t>(Below(choices.size())));
    }

    std::string Blanks()
    {
        std::string blanks;
        for (auto count = Below(3); count > 0; --count)
            blanks += Pick({" ", "\t", "\v", "\f", "\x1a"});
        return blanks;
    }

    // A name, now and then with a NUL and text after it that the platform never sees.
    std::string Name(std::initializer_list<std::string> names)
    {
        auto name = Pick(names);
        if (Below(5) == 0)
            name += Pick({"\0junk"s, "\0"s, " \0x"s});
        return name;
    }

    std::string Line()
    {
        switch (Below(6)) {
        case 0:
            return Blanks() + "[" + Blanks() + Name({"S", "s", "Other"}) + Blanks() + "]"
                   + Blanks();
        case 1:
            return Blanks() + Pick({";", "#"}) + "comment=1";
        case 2:
            return Blanks();
        default:
            return Blanks() + Name({"k", "K", "Key", "n"}) + Blanks() + "=" + Blanks()
                   + Pick({"1", "two words", "\"q\"", "'s'", ""}) + Blanks();
        }
    }

    std::mt19937 m_random;
};

std::vector<SampleFile> SampleFiles()
{
    std::vector<SampleFile> files = {
        {"Realistic", TestData("realistic_client.ini")},
        {"OddValues", TestData("odd_values_client.ini")},
        {"Defaults", TestData("default_client_file.ini")},
        {"Tricky", TrickyFile},
        {"LineEndings", "[A]\r\nx=1\ny=2\n[B]\nk=v\r\n[Lone CR]\rKey=cr\r[C]\r\nz=3"},
        {"LongValue", "[A]\r\nLong=" + std::string(3000, 'v') + "\r\nAfter=1\r\n"},
        {"ByteOrderMark", "\xEF\xBB\xBF[Defaults]\r\nLog=TRUE\r\n"},
        {"DuplicateSections", "[A]\nx=1\n[B]\ny=2\n[a]\nx=9\nz=3\n"},
        {"BlankLinesAndComments", "[A]\r\nx=1\r\n\r\n; about B\r\n\r\n[B]\r\ny=2\r\n\r\n"},
        {"Empty", ""},
        // Blanks the platform trims besides space and tab: a header or a key hidden behind them
        // would get a second one that the game never reads.
        {"VerticalTabBeforeHeader",
         "\v[x]\nk=1\n[y]\nm=2\n",
         {{"x", "k", "2"}, {"x", "New", "3"}, {"y", "m", "4"}}},
        {"BlanksAroundNamesAndValues",
         "[\f Blanked \x1a]\v\r\n\fk\v=\x1a"
         "1\x1a\r\n\x1a\vj \f= \"q\"\v\r\n\v\f\r\n[Next]\r\n"
         "\x1a;comment\r\nz=\f0\r\n\x1a",
         {{"Blanked", "k", "5"},
          {"Blanked", "j", "6"},
          {"Blanked", "Added", "7"},
          {"Next", "Added", "8"}}},
        // The platform ends a name at a NUL, after trimming it: "m \0" names "m ".
        {"NulInNames",
         "[x]\nk\0junk=se\nm \0junk=hidden\n\0lost=1\n[y\0junk]\nz=1\n[w \0]\nz=2\n"s,
         {{"x", "k", "new"}, {"x", "m", "2"}, {"y", "z", "3"}, {"w", "z", "4"}}},
        // LF CR is one ending; a CR that starts a CRLF is not part of one.
        {"LfCrEndings",
         "[A]\na=1\n\r[B]\n\rb=2\n\r\n[C]\nc=3\n\r",
         {{"A", "Added", "1"}, {"B", "b", "5"}, {"B", "New", "6"}, {"C", "More", "7"}}},
        {"LoneCrBlankLineAfterKey", "[A]\na=1\r\r[B]\nb=2\n", {{"A", "Added", "1"}}},
    };
    for (unsigned seed = 1; seed <= 24; ++seed) {
        files.push_back(
            {"Random" + std::to_string(seed),
             RandomFile(seed).Bytes(),
             {{"S", "k", "w"}, {"S", "Key", "w"}, {"Other", "n", "w"}, {"s", "New", "w"}}});
    }
    return files;
}

INSTANTIATE_TEST_SUITE_P(Files,
                         PrivateProfileAgreementTest,
                         testing::ValuesIn(SampleFiles()),
                         [](const auto &info) { return info.param.name; });

} // namespace
