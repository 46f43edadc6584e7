#include "ini/SuppUnit.h"

#include "FailingFileSteps.h"
#include "TempFolder.h"
#include "ini/IniError.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// A file whose [S] holds the key K with this text, or no K at all.
class StoredKey
{
public:
    explicit StoredKey(const std::optional<std::string> &stored)
    {
        WriteBytes(path, stored ? "[S]\r\nK=" + *stored + "\r\n" : "[S]\r\nOther=1\r\n");
    }

    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
};

template<typename T>
struct ReadCase
{
    std::optional<std::string> stored; // nullopt: the key is missing
    T defaultValue;
    T expected;
};

template<typename T>
std::ostream &operator<<(std::ostream &out, const ReadCase<T> &readCase)
{
    return out << (readCase.stored ? "\"" + *readCase.stored + "\"" : std::string("missing"))
               << " with default " << readCase.defaultValue;
}

template<typename T>
class TypedReadTest : public testing::TestWithParam<ReadCase<T>>
{
protected:
    T Read(const std::function<T(TDMStyleIniFile &)> &read)
    {
        StoredKey file(this->GetParam().stored);
        TDMStyleIniFile ini(file.path);
        return read(ini);
    }
};

using TextCase = ReadCase<std::string>;
using NumberCase = ReadCase<std::int32_t>;
using FlagCase = ReadCase<bool>;

class ReadTextTest : public TypedReadTest<std::string>
{};
class ReadNumberTest : public TypedReadTest<std::int32_t>
{};
class ReadDigitFlagTest : public TypedReadTest<bool>
{};
class ReadTrueFalseTest : public TypedReadTest<bool>
{};
class ReadOffLevelTest : public TypedReadTest<std::int32_t>
{};

TEST_P(ReadTextTest, GivesTheTrimmedTextOrTheDefault)
{
    EXPECT_EQ(Read([&](auto &ini) { return ini.ReadText("S", "K", GetParam().defaultValue); }),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Text,
                         ReadTextTest,
                         testing::Values(TextCase{"  two words  ", "d", "two words"},
                                         TextCase{"\"quoted\"", "d", "quoted"},
                                         TextCase{"", "d", ""},
                                         TextCase{std::nullopt, "d", "d"}));

TEST_P(ReadNumberTest, GivesTheNumberOrTheDefault)
{
    EXPECT_EQ(Read([&](auto &ini) { return ini.ReadNumber("S", "K", GetParam().defaultValue); }),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Number,
                         ReadNumberTest,
                         testing::Values(NumberCase{"0x1F", 5, 31},
                                         NumberCase{"0X1f", 5, 31},
                                         NumberCase{"$1F", 5, 31},
                                         NumberCase{"x1f", 5, 31},
                                         NumberCase{"-7", 5, -7},
                                         NumberCase{"+7", 5, 7},
                                         NumberCase{" 42 ", 5, 42},
                                         NumberCase{"'12'", 5, 12},
                                         NumberCase{"$FFFFFFFF", 5, -1},
                                         NumberCase{"-2147483648", 5, INT32_MIN},
                                         NumberCase{"12abc", 5, 5},
                                         NumberCase{"4294967296", 5, 5},
                                         NumberCase{"0x", 5, 5},
                                         NumberCase{"TRUE", 5, 5},
                                         NumberCase{"", 5, 5},
                                         NumberCase{std::nullopt, -9, -9}));

TEST_P(ReadDigitFlagTest, GivesNonZeroAsTrueAndTheDefaultForNoNumber)
{
    EXPECT_EQ(Read([&](auto &ini) { return ini.ReadDigitFlag("S", "K", GetParam().defaultValue); }),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(DigitFlag,
                         ReadDigitFlagTest,
                         testing::Values(FlagCase{"1", false, true},
                                         FlagCase{"0", true, false},
                                         FlagCase{"2", false, true},
                                         FlagCase{"-1", false, true},
                                         FlagCase{"$0", true, false},
                                         FlagCase{"TRUE", false, false},
                                         FlagCase{"TRUE", true, true},
                                         FlagCase{"", true, true},
                                         FlagCase{"", false, false},
                                         FlagCase{std::nullopt, true, true},
                                         FlagCase{std::nullopt, false, false}));

TEST_P(ReadTrueFalseTest, IsTrueExactlyForTrueInAnyCase)
{
    EXPECT_EQ(Read([&](auto &ini) { return ini.ReadTrueFalse("S", "K", GetParam().defaultValue); }),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TrueFalse,
                         ReadTrueFalseTest,
                         testing::Values(FlagCase{"true", false, true},
                                         FlagCase{"True", false, true},
                                         FlagCase{"TRUE", false, true},
                                         FlagCase{"  TRUE\t", false, true},
                                         FlagCase{"\"True\"", false, true},
                                         FlagCase{"1", true, false},
                                         FlagCase{"YES", true, false},
                                         FlagCase{"ON", true, false},
                                         FlagCase{"FALSE", true, false},
                                         FlagCase{"TRUE!", true, false},
                                         FlagCase{"", true, false},
                                         FlagCase{std::nullopt, true, true},
                                         FlagCase{std::nullopt, false, false}));

TEST_P(ReadOffLevelTest, GivesALevelFromZeroToFour)
{
    EXPECT_EQ(Read([&](auto &ini) { return ini.ReadOffLevel("S", "K", GetParam().defaultValue); }),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(OffLevel,
                         ReadOffLevelTest,
                         testing::Values(NumberCase{"OFF", 3, 0},
                                         NumberCase{"0", 3, 0},
                                         NumberCase{"3", 1, 3},
                                         NumberCase{"0x2", 1, 2},
                                         NumberCase{"-2", 3, 0},
                                         NumberCase{"9", 1, 4},
                                         NumberCase{"abc", 1, 4},
                                         NumberCase{"off", 1, 4},
                                         NumberCase{"", 1, 4},
                                         NumberCase{std::nullopt, 2, 2},
                                         NumberCase{std::nullopt, 7, 4},
                                         NumberCase{std::nullopt, -3, 0}));

// ---------------------------------------------------------------------------------------------
// Writing: each encoding's spelling, in place of the old value.

struct WriteCase
{
    std::string name;
    std::function<void(TDMStyleIniFile &)> write;
    std::string storedValue;
};

class TypedWriteTest : public testing::TestWithParam<WriteCase>
{};

TEST_P(TypedWriteTest, SpellsTheValueAsTheGameDoes)
{
    StoredKey file(std::string("old"));
    TDMStyleIniFile ini(file.path);
    GetParam().write(ini);
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(file.path), "[S]\r\nK=" + GetParam().storedValue + "\r\n");
}

std::string WriteCaseName(const testing::TestParamInfo<WriteCase> &info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Encodings,
    TypedWriteTest,
    testing::Values(
        WriteCase{"Text", [](auto &ini) { ini.WriteText("S", "K", "a b=c"); }, "a b=c"},
        WriteCase{"Number", [](auto &ini) { ini.WriteNumber("S", "K", 1600); }, "1600"},
        WriteCase{"Negative", [](auto &ini) { ini.WriteNumber("S", "K", -12); }, "-12"},
        WriteCase{"Lowest", [](auto &ini) { ini.WriteNumber("S", "K", INT32_MIN); }, "-2147483648"},
        WriteCase{"DigitTrue", [](auto &ini) { ini.WriteDigitFlag("S", "K", true); }, "1"},
        WriteCase{"DigitFalse", [](auto &ini) { ini.WriteDigitFlag("S", "K", false); }, "0"},
        WriteCase{"True", [](auto &ini) { ini.WriteTrueFalse("S", "K", true); }, "TRUE"},
        WriteCase{"False", [](auto &ini) { ini.WriteTrueFalse("S", "K", false); }, "FALSE"},
        WriteCase{"Off", [](auto &ini) { ini.WriteOffLevel("S", "K", 0); }, "OFF"},
        WriteCase{"LevelOne", [](auto &ini) { ini.WriteOffLevel("S", "K", 1); }, "1"},
        WriteCase{"LevelFour", [](auto &ini) { ini.WriteOffLevel("S", "K", 4); }, "4"},
        WriteCase{"LevelAbove", [](auto &ini) { ini.WriteOffLevel("S", "K", 5); }, "old"},
        WriteCase{"LevelBelow", [](auto &ini) { ini.WriteOffLevel("S", "K", -1); }, "old"}),
    WriteCaseName);

TEST(TDMStyleIniFile, WrittenValuesReadBackAsWritten)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    TDMStyleIniFile ini(path);
    for (const std::int32_t level : {0, 1, 2, 3, 4}) {
        ini.WriteOffLevel("Defaults", "Level", level);
        EXPECT_EQ(ini.ReadOffLevel("Defaults", "Level", 2), level);
    }
    for (const bool flag : {true, false}) {
        ini.WriteTrueFalse("Defaults", "TrueFalse", flag);
        ini.WriteDigitFlag("Defaults", "Digit", flag);
        EXPECT_EQ(ini.ReadTrueFalse("Defaults", "TrueFalse", !flag), flag);
        EXPECT_EQ(ini.ReadDigitFlag("Defaults", "Digit", !flag), flag);
    }
    for (const std::int32_t number : {INT32_MIN, -1, 0, 7, INT32_MAX}) {
        ini.WriteNumber("Windows640", "ChatWinX", number);
        EXPECT_EQ(ini.ReadNumber("Windows640", "ChatWinX", 99), number);
    }
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(path),
              "[Defaults]\r\nLevel=4\r\nTrueFalse=FALSE\r\nDigit=0\r\n"
              "[Windows640]\r\nChatWinX=2147483647\r\n");
}

// ---------------------------------------------------------------------------------------------
// Errors: only a refused write raises one, with the file's path in the message.

TEST(TDMStyleIniFile, ReadingAMissingFileGivesDefaultsAndCreatesNothing)
{
    TempFolder folder;
    TDMStyleIniFile ini(folder.file("missing/dmclient.ini"));
    EXPECT_EQ(ini.ReadNumber("Defaults", "VideoMode", 2), 2);
    EXPECT_TRUE(ini.ReadTrueFalse("Defaults", "Log", true));
    EXPECT_NO_THROW(ini.UpdateFile());
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
}

TEST(TDMStyleIniFile, RefusedWriteRaisesUnableToWrite)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, "[Defaults]\r\nLog=TRUE\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    TDMStyleIniFile ini(path);
    EXPECT_NO_THROW(ini.WriteTrueFalse("Defaults", "Log", true)) << "no change, no write";
    EXPECT_NO_THROW(ini.WriteOffLevel("Defaults", "Level", 9)) << "nothing to write";
    try {
        ini.WriteTrueFalse("Defaults", "Log", false);
        ADD_FAILURE() << "the write went through";
    } catch (const IniWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadBytes(path), "[Defaults]\r\nLog=TRUE\r\n");
}

TEST(TDMStyleIniFile, UnsafeValueRaisesUnableToWrite)
{
    TempFolder folder;
    TDMStyleIniFile ini(folder.file("dmclient.ini"));
    EXPECT_THROW(ini.WriteText("KeyMaps", "KEYMAP_Jump", "a\r\n[Defaults]"), IniWriteError);
    EXPECT_THROW(ini.WriteText("Key]Maps", "KEYMAP_Jump", "a"), IniWriteError);
    EXPECT_THROW(ini.WriteText("KeyMaps", "KEYMAP=Jump", "a"), IniWriteError);
}

TEST(TDMStyleIniFile, FailedUpdateRaisesUnableToWriteAndKeepsTheFile)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, "[Defaults]\r\nLog=TRUE\r\n");
    FailingFileSteps failing(1);
    SteppedFileSystem files(failing);
    TDMStyleIniFile ini(path, files);
    ini.WriteTrueFalse("Defaults", "Log", false);
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "the update went through";
    } catch (const IniWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadBytes(path), "[Defaults]\r\nLog=TRUE\r\n");
}

} // namespace
