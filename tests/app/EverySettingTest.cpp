#include "CommandRun.h"
#include "TempFolder.h"
#include "ini/AsciiCase.h"
#include "sections/SettingCatalogue.h"

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Two texts of the setting's encoding that a set accepts; a test sets the one the file does not
// hold.
std::vector<std::string> ValidTexts(const Setting &setting)
{
    switch (setting.encoding) {
    case SettingEncoding::TrueFalse:
        return {"TRUE", "FALSE"};
    case SettingEncoding::DigitFlag:
        return {"1", "0"};
    case SettingEncoding::ScreenWords:
        return {"FULL", "NORMAL"};
    case SettingEncoding::TrackSortWord:
        return {"RDISTANCE", "CONSIDER"};
    case SettingEncoding::TrackPlayersWord:
        return {"GROUP", "FALSE"};
    case SettingEncoding::OffLevel:
        return {"OFF", std::to_string(setting.maximum)};
    case SettingEncoding::KeyBinding:
        return {"CTRL+F9", "SHIFT+Z"};
    case SettingEncoding::Number:
    case SettingEncoding::ColorByte:
        break;
    }
    return {std::to_string(setting.minimum), std::to_string(setting.maximum)};
}

// A text of the right shape that a set must refuse.
std::string RefusedText(const Setting &setting)
{
    switch (setting.encoding) {
    case SettingEncoding::TrueFalse:
        return "MAYBE";
    case SettingEncoding::DigitFlag:
        return "2";
    case SettingEncoding::ScreenWords:
        return "WINDOWED";
    case SettingEncoding::TrackSortWord:
    case SettingEncoding::TrackPlayersWord:
        return "SIDEWAYS";
    case SettingEncoding::KeyBinding:
        return "CTRL+\nF9";
    case SettingEncoding::OffLevel:
    case SettingEncoding::Number:
    case SettingEncoding::ColorByte:
        break;
    }
    return setting.maximum < INT_MAX ? std::to_string(std::int64_t{setting.maximum} + 1)
                                     : std::to_string(std::int64_t{setting.minimum} - 1);
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end + 1 - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

std::string Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first));
}

// Whether the line is the setting's key line (in whatever section).
bool IsKeyLine(const std::string &line, const Setting &setting)
{
    const std::size_t equals = line.find('=');
    return equals != std::string::npos
           && EqualsIgnoringAsciiCase(Trimmed(line.substr(0, equals)), setting.key);
}

// The file without the first line of the setting's key inside its section.
std::string WithoutKey(const std::string &text, const Setting &setting)
{
    std::string out;
    bool inSection = false;
    bool removed = false;
    for (const std::string &line : Lines(text)) {
        const std::string trimmed = Trimmed(line);
        if (trimmed.starts_with("[") && trimmed.ends_with("]"))
            inSection = EqualsIgnoringAsciiCase(Trimmed(trimmed.substr(1, trimmed.size() - 2)),
                                                setting.section);
        else if (inSection && !removed && IsKeyLine(line, setting)) {
            removed = true;
            continue;
        }
        out += line;
    }
    return out;
}

std::string RealisticFile()
{
    return TestData("realistic_client.ini");
}

class EverySettingTest : public ::testing::Test
{
protected:
    std::string Get(const Setting &setting)
    {
        const CommandResult got = RunIn({"get", "--file", path, setting.id});
        EXPECT_EQ(got.exitCode, 0) << got.err;
        return got.out;
    }

    // Sets a value the file does not hold; the value set.
    std::string SetAnother(const Setting &setting)
    {
        const std::string current = Get(setting);
        const std::vector<std::string> texts = ValidTexts(setting);
        const std::string value = texts[0] + "\n" == current ? texts[1] : texts[0];
        const CommandResult set = RunIn({"set", "--file", path, setting.id + "=" + value});
        EXPECT_EQ(set.exitCode, 0) << set.err;
        EXPECT_EQ(set.err, "");
        EXPECT_EQ(Get(setting), value + "\n");
        return value;
    }

    TempFolder folder;
    std::string path = folder.file("dmclient.ini");
    NoSyncFileSteps steps;
    ScopedFileSteps scopedSteps{steps};
};

// The file after a set differs from before only in the key's value, or in the key's line added.
void ExpectOnlyTheValueChanged(const std::vector<std::string> &before,
                               const std::vector<std::string> &after,
                               const Setting &setting,
                               const std::string &value)
{
    std::size_t at = 0;
    while (at < before.size() && at < after.size() && after[at] == before[at])
        ++at;
    ASSERT_LT(at, after.size());
    if (after.size() == before.size() + 1) {
        EXPECT_EQ(after[at], setting.key + "=" + value + "\r\n");
        EXPECT_TRUE(std::equal(before.begin() + at, before.end(), after.begin() + at + 1));
        return;
    }
    ASSERT_EQ(after.size(), before.size());
    const std::size_t equals = before[at].find('=');
    ASSERT_NE(equals, std::string::npos);
    EXPECT_EQ(after[at].substr(0, equals + 1), before[at].substr(0, equals + 1));
    EXPECT_EQ(Trimmed(after[at].substr(equals + 1)), value);
    EXPECT_TRUE(std::equal(before.begin() + at + 1, before.end(), after.begin() + at + 1));
}

TEST_F(EverySettingTest, SetThenGetChangesOnlyThatKeysValue)
{
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        WriteBytes(path, RealisticFile());
        const std::vector<std::string> before = Lines(ReadBytes(path));
        const std::string value = SetAnother(setting);
        ExpectOnlyTheValueChanged(before, Lines(ReadBytes(path)), setting, value);
    }
}

TEST_F(EverySettingTest, SetOfAMissingKeyAddsOneLine)
{
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        WriteBytes(path, WithoutKey(RealisticFile(), setting));
        const std::vector<std::string> before = Lines(ReadBytes(path));
        const std::string value = SetAnother(setting);
        const std::vector<std::string> after = Lines(ReadBytes(path));
        EXPECT_EQ(after.size(), before.size() + 1);
        ExpectOnlyTheValueChanged(before, after, setting, value);
    }
}

TEST_F(EverySettingTest, ARefusedValueLeavesTheFileByteIdentical)
{
    WriteBytes(path, RealisticFile());
    const std::string before = ReadBytes(path);
    for (const Setting &setting : SettingCatalogue()) {
        SCOPED_TRACE(setting.id);
        const CommandResult set
            = RunIn({"set", "--file", path, setting.id + "=" + RefusedText(setting)});
        EXPECT_EQ(set.exitCode, 2);
        EXPECT_EQ(set.err.rfind("vezaz: " + setting.id + " ", 0), 0u) << set.err;
        EXPECT_EQ(ReadBytes(path), before);
    }
}

TEST_F(EverySettingTest, OneRefusedValueAmongGoodOnesWritesNothing)
{
    WriteBytes(path, RealisticFile());
    const std::string before = ReadBytes(path);
    std::vector<std::string> command{"set", "--file", path};
    for (const Setting &setting : SettingCatalogue())
        command.push_back(setting.id + "=" + ValidTexts(setting)[0]);
    command.push_back(SettingCatalogue().front().id + "="
                      + RefusedText(SettingCatalogue().front()));
    const CommandResult set = RunIn(command);
    EXPECT_EQ(set.exitCode, 2);
    EXPECT_EQ(ReadBytes(path), before);

    command.pop_back();
    EXPECT_EQ(RunIn(command).exitCode, 0);
    for (const Setting &setting : SettingCatalogue())
        EXPECT_EQ(Get(setting), ValidTexts(setting)[0] + "\n") << setting.id;
}

} // namespace
