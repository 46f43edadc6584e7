// The key look-up of a section, which tries the lines after the last one found before its
// table, and the split of a key line it is built from.

#include "ini/SectionKeys.h"

#include "ini/ByteSearch.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A section's key names in the order of the file, and where the first line of each name is,
// kept the plain way.
class KeyLines
{
public:
    void Add(std::string name)
    {
        m_firstLines.try_emplace(AsciiUpper(name), m_names.size());
        m_names.push_back(std::move(name));
    }

    SectionKeys Index() const
    {
        SectionKeys keys;
        for (std::size_t line = 0; line < m_names.size(); ++line)
            keys.AddFileLine(m_names[line], KeyPlace{false, line, 0, 0});
        return keys;
    }

    std::optional<std::size_t> FirstLineNamed(std::string_view name) const
    {
        const auto found = m_firstLines.find(AsciiUpper(name));
        return found == m_firstLines.end() ? std::nullopt : std::optional(found->second);
    }

    const std::deque<std::string> &names() const { return m_names; }

private:
    std::deque<std::string> m_names;                 // a deque: the index keeps views of them
    std::map<std::string, std::size_t> m_firstLines; // by the upper-cased name
};

std::optional<std::size_t> FoundLine(const SectionKeys &keys, std::string_view name)
{
    const auto *place = keys.Find(name);
    return place ? std::optional(place->index) : std::nullopt;
}

// Looks every name up in the given order and compares with the plain search.
void ExpectFirstLines(const KeyLines &lines,
                      const SectionKeys &keys,
                      const std::vector<std::string> &asked)
{
    for (const auto &name : asked)
        EXPECT_EQ(FoundLine(keys, name), lines.FirstLineNamed(name)) << name;
}

TEST(SectionKeys, FindsTheFirstLineOfANameInAnyOrderAndLetterCase)
{
    KeyLines lines;
    for (const char *name : {"Alpha", "Beta", "alpha", "Gamma", "BETA", "Delta", "gamma"})
        lines.Add(name);
    for (int filler = 0; filler < 20; ++filler)
        lines.Add("Unknown" + std::to_string(filler));
    lines.Add("DELTA");
    lines.Add("Epsilon");
    const auto keys = lines.Index();

    // In order, where the lines after the last found are tried first: a later duplicate right
    // after a match must not be taken for it.
    ExpectFirstLines(lines, keys, {"alpha", "BETA", "Alpha", "gamma", "beta", "delta"});
    // Backwards and far apart, so the table answers, then in order again from there.
    ExpectFirstLines(lines, keys, {"Epsilon", "DELTA", "Unknown3", "Unknown4", "Gamma", "Zeta"});
}

// So many names that the filter of names seen cannot vouch for most lines: the doubtful ones
// must still give the first line of their name, and duplicates must never be taken for it.
TEST(SectionKeys, ManyNamesWithDuplicatesGiveTheFirstLineInEveryOrder)
{
    KeyLines lines;
    std::mt19937 random(7);
    for (int line = 0; line < 9000; ++line) {
        const int number = static_cast<int>(random() % 6000);
        lines.Add((line % 2 ? "key_" : "KEY_") + std::to_string(number));
    }
    const auto keys = lines.Index();

    std::vector<std::string> inFileOrder(lines.names().begin(), lines.names().end());
    ExpectFirstLines(lines, keys, inFileOrder);
    auto shuffled = inFileOrder;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    shuffled.push_back("key_6001");
    ExpectFirstLines(lines, keys, shuffled);
}

TEST(SectionKeys, AKeyAddedLaterIsFoundBeforeAndAfterTheTableIsBuilt)
{
    KeyLines lines;
    lines.Add("One");
    lines.Add("Two");
    SectionKeys keys = lines.Index();
    keys.AddNewKey("Three", KeyPlace{true, 0, 0, 0});
    ASSERT_NE(keys.Find("three"), nullptr);
    EXPECT_TRUE(keys.Find("three")->added);
    // A miss builds the table; a key added after that is in it too.
    EXPECT_EQ(keys.Find("Four"), nullptr);
    keys.AddNewKey("Four", KeyPlace{true, 1, 0, 0});
    EXPECT_EQ(FoundLine(keys, "One"), 0u);
    ASSERT_NE(keys.Find("FOUR"), nullptr);
    EXPECT_EQ(keys.Find("FOUR")->index, 1u);
}

// The eight-bytes-at-a-time split of a key line against a plain search, with the "=", the NUL
// byte and the line break at every place within and across words, and text after the break.
TEST(KeyLineSplit, FindsTheFirstEqualsSignAndNulBeforeTheLineBreak)
{
    std::mt19937 random(11);
    const std::string alphabet = std::string("ab =\r\n\0", 7);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, 'x');
        for (auto &c : text)
            c = alphabet[random() % alphabet.size()];
        const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        std::size_t end = from;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::size_t equals = std::min(text.find('=', from), end);
        const std::size_t nul = std::min(text.find('\0', from), end);

        const auto split = SplitKeyLine(text, from);
        EXPECT_EQ(split.contentEnd, end) << text << " from " << from;
        EXPECT_EQ(split.equals, equals) << text << " from " << from;
        EXPECT_EQ(split.nul, nul) << text << " from " << from;
    }
}

} // namespace
