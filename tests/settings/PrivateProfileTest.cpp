#include "ini/PrivateProfile.h"

#include "FailingFileSteps.h"
#include "RecordingFileSystem.h"
#include "TempFolder.h"
#include "TrickyFile.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct KeyWrite
{
    std::string section;
    std::string key;
    std::string value;
};

const std::string Bom = "\xEF\xBB\xBF";

// Writes the keys into a file holding the given bytes, flushes, and gives the bytes on disk.
std::string AfterWrites(const std::string &before, const std::vector<KeyWrite> &writes)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, before);
    PrivateProfileFile profile(path, RealFileSystem());
    for (const auto &write : writes)
        EXPECT_TRUE(profile.WriteString(write.section, write.key, write.value)) << write.key;
    EXPECT_TRUE(profile.Flush());
    return ReadBytes(path);
}

// ---------------------------------------------------------------------------------------------
// Reading

struct ReadCase
{
    std::string section;
    std::string key;
    std::string expected;
};

std::ostream &operator<<(std::ostream &out, const ReadCase &readCase)
{
    return out << "[" << readCase.section << "] " << readCase.key;
}

class ReadTest : public testing::TestWithParam<ReadCase>
{};

TEST_P(ReadTest, GivesTheValueOrTheDefault)
{
    TempFolder folder;
    WriteBytes(folder.file("dmclient.ini"), TrickyFile);
    PrivateProfileFile profile(folder.file("dmclient.ini"), RealFileSystem());
    EXPECT_EQ(profile.GetString(GetParam().section, GetParam().key, "<default>"),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TrickyFile,
    ReadTest,
    testing::Values(
        // Blanks, quotes and case.
        ReadCase{"General", "Name", "Value with spaces"},
        ReadCase{"GENERAL", "nAmE", "Value with spaces"},
        ReadCase{"General", "Quoted", "in quotes"},
        ReadCase{"General", "Single", "single"},
        ReadCase{"General", "Mixed", "\"mixed'"},
        ReadCase{"General", "Lone", "\""},
        ReadCase{"General", "EmptyQuotes", ""},
        ReadCase{"General", "Inner", "a\" and \"b"},
        ReadCase{"General", "Tabbed", "value"},
        ReadCase{"General", "Equals", "a=b"},
        // Present but empty is not missing; a line without "=" has no value at all, and the
        // platform's read gives the default for it.
        ReadCase{"General", "Empty", ""},
        ReadCase{"General", "Bare", "<default>"},
        // The first of duplicate keys and sections wins.
        ReadCase{"General", "Dup", "first"},
        ReadCase{"General", "DUP", "first"},
        ReadCase{"General", "Later", "<default>"},
        // Comments, keys above the first header and missing names give the default.
        ReadCase{"General", ";Commented", "<default>"},
        ReadCase{"General", "Commented", "<default>"},
        ReadCase{"General", "#Hashed", "<default>"},
        ReadCase{"General", "Orphan", "<default>"},
        ReadCase{"", "Orphan", "<default>"},
        ReadCase{"General", "Missing", "<default>"},
        ReadCase{"Missing", "Name", "<default>"},
        // Headers: trimmed name, text after "]" ignored, no "]" makes no header.
        ReadCase{"Spaced Section", "Key", "spaced"},
        ReadCase{"Open", "Key", "<default>"},
        // Every kind of line ending, and none at the end of the file.
        ReadCase{"Lone CR", "Key", "cr"},
        ReadCase{"Last", "NoNewline", "end"}));

TEST(PrivateProfileRead, MissingFileGivesTheDefault)
{
    TempFolder folder;
    PrivateProfileFile profile(folder.file("dmclient.ini"), RealFileSystem());
    EXPECT_EQ(profile.GetString("Defaults", "Log", "FALSE"), "FALSE");
    EXPECT_FALSE(std::filesystem::exists(folder.file("dmclient.ini")));
}

TEST(PrivateProfileRead, ByteOrderMarkIsNoPartOfTheFirstHeader)
{
    TempFolder folder;
    WriteBytes(folder.file("dmclient.ini"), Bom + "[Defaults]\nLog=TRUE\n");
    PrivateProfileFile profile(folder.file("dmclient.ini"), RealFileSystem());
    EXPECT_EQ(profile.GetString("Defaults", "Log", ""), "TRUE");
}

TEST(PrivateProfileRead, LongValuesAreCutTo2047Characters)
{
    TempFolder folder;
    const std::string longValue(3000, 'v');
    WriteBytes(folder.file("dmclient.ini"),
               "[S]\nLong=" + longValue + "\nExact=" + std::string(2047, 'e') + "\n");
    PrivateProfileFile profile(folder.file("dmclient.ini"), RealFileSystem());
    EXPECT_EQ(profile.GetString("S", "Long", ""), std::string(2047, 'v'));
    EXPECT_EQ(profile.GetString("S", "Exact", ""), std::string(2047, 'e'));
}

// ---------------------------------------------------------------------------------------------
// Writing: each case gives the file before, the writes, and the exact bytes after.

struct WriteCase
{
    std::string name;
    std::string before;
    std::vector<KeyWrite> writes;
    std::string after;
};

class WriteTest : public testing::TestWithParam<WriteCase>
{};

TEST_P(WriteTest, ChangesOnlyTheBytesItOwns)
{
    EXPECT_EQ(AfterWrites(GetParam().before, GetParam().writes), GetParam().after);
}

std::string CaseName(const testing::TestParamInfo<WriteCase> &info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    InPlace,
    WriteTest,
    testing::Values(WriteCase{"KeepsBlanksAroundTheValue",
                              "[S]\r\n  Key  =  old  \r\nOther=1\r\n",
                              {{"S", "Key", "new"}},
                              "[S]\r\n  Key  =  new  \r\nOther=1\r\n"},
                    WriteCase{"ReplacesTheQuotesWithTheValue",
                              "[S]\nKey=\"old value\"\n",
                              {{"S", "Key", "new"}},
                              "[S]\nKey=new\n"},
                    WriteCase{"MatchesWithoutRegardToCaseAndKeepsTheSpelling",
                              "[Defaults]\nRunMode=FALSE\n",
                              {{"DEFAULTS", "runmode", "TRUE"}},
                              "[Defaults]\nRunMode=TRUE\n"},
                    WriteCase{"FillsAnEmptyValue",
                              "[S]\nA=\nB=   \nC\n",
                              {{"S", "A", "1"}, {"S", "B", "2"}, {"S", "c", "3"}},
                              "[S]\nA=1\nB=   2\nC=3\n"},
                    WriteCase{"EmptiesAValue", "[S]\nA=1 \n", {{"S", "A", ""}}, "[S]\nA= \n"},
                    WriteCase{"GivesALineWithoutEqualsItsEmptyValue",
                              "[S]\nBare\n",
                              {{"S", "bare", ""}},
                              "[S]\nBare=\n"},
                    WriteCase{"KeepsAValueTheReadAlreadyGives",
                              "[S]\nA = \"same\"  \nB='x' \n",
                              {{"S", "A", "same"}, {"S", "B", "x"}},
                              "[S]\nA = \"same\"  \nB='x' \n"},
                    WriteCase{"WritesTheFirstOfDuplicateKeys",
                              "[S]\nx=1\nX=2\n",
                              {{"S", "x", "5"}},
                              "[S]\nx=5\nX=2\n"},
                    WriteCase{"WritesTheFirstOfDuplicateSections",
                              "[A]\nx=1\n[B]\n[a]\nx=9\n",
                              {{"A", "x", "2"}, {"A", "y", "3"}},
                              "[A]\nx=2\ny=3\n[B]\n[a]\nx=9\n"},
                    WriteCase{"KeepsEachLinesOwnEnding",
                              "[S]\rA=1\r\nB=2\nC=3",
                              {{"S", "A", "x"}, {"S", "B", "y"}, {"S", "C", "z"}},
                              "[S]\rA=x\r\nB=y\nC=z"},
                    WriteCase{"KeepsTheByteOrderMark",
                              Bom + "[S]\r\nA=1\r\n",
                              {{"S", "A", "2"}},
                              Bom + "[S]\r\nA=2\r\n"},
                    WriteCase{"TakesValuesWithEqualsSignsAndQuotes",
                              "[S]\nA=1\n",
                              {{"S", "A", "x=\"y\""}},
                              "[S]\nA=x=\"y\"\n"},
                    WriteCase{"KeepsTextAfterTheHeader",
                              "[S] ; note\nA=1\n",
                              {{"S", "A", "2"}},
                              "[S] ; note\nA=2\n"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Appending,
    WriteTest,
    testing::Values(
        WriteCase{"KeyGoesAboveTheBlankLinesAndCommentsOfTheNextSection",
                  "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\ny=2\r\n",
                  {{"A", "z", "3"}},
                  "[A]\r\nx=1\r\nz=3\r\n\r\n; about B\r\n[B]\r\ny=2\r\n"},
        WriteCase{"KeyGoesUnderTheHeaderOfAnEmptySection",
                  "[A]\n\n[B]\n",
                  {{"A", "k", "v"}},
                  "[A]\nk=v\n\n[B]\n"},
        WriteCase{"KeysKeepTheOrderOfTheirWrites",
                  "[A]\nx=1\n[B]\n",
                  {{"A", "n1", "1"}, {"A", "n2", "2"}, {"A", "N1", "3"}},
                  "[A]\nx=1\nn1=3\nn2=2\n[B]\n"},
        WriteCase{
            "KeyAfterALastLineWithoutNewline", "[A]\nx=1", {{"A", "y", "2"}}, "[A]\nx=1\ny=2\n"},
        WriteCase{"SectionAfterALastLineWithoutNewline",
                  "[A]\nx=1",
                  {{"B", "y", "2"}},
                  "[A]\nx=1\n[B]\ny=2\n"},
        WriteCase{"SectionAtTheEndWithoutABlankLine",
                  "[A]\r\nx=1\r\n\r\n; end\r\n",
                  {{"B", "y", "2"}, {"c", "z", "3"}, {"B", "w", "4"}},
                  "[A]\r\nx=1\r\n\r\n; end\r\n[B]\r\ny=2\r\nw=4\r\n[c]\r\nz=3\r\n"},
        WriteCase{"KeyAboveTheFirstHeaderIsNotTheSectionsKey",
                  "x=1\n[A]\ny=2\n",
                  {{"A", "x", "3"}},
                  "x=1\n[A]\ny=2\nx=3\n"},
        WriteCase{"KeyOfALaterDuplicateSectionIsNotTheFirstsKey",
                  "[A]\nx=1\n[A]\ny=2\n",
                  {{"A", "y", "3"}},
                  "[A]\nx=1\ny=3\n[A]\ny=2\n"},
        WriteCase{"SectionIntoAnEmptyFile", "", {{"S", "k", "v"}}, "[S]\r\nk=v\r\n"},
        WriteCase{
            "SectionAfterAByteOrderMarkAlone", Bom, {{"S", "k", "v"}}, Bom + "[S]\r\nk=v\r\n"},
        WriteCase{"EmptyValue", "[S]\n", {{"S", "k", ""}}, "[S]\nk=\n"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    NewLines,
    WriteTest,
    testing::Values(WriteCase{"MostlyLineFeeds",
                              "[A]\r\nx=1\ny=2\n",
                              {{"B", "k", "v"}},
                              "[A]\r\nx=1\ny=2\n[B]\nk=v\n"},
                    WriteCase{"MostlyCarriageReturns",
                              "[A]\rx=1\ry=2\r\n",
                              {{"A", "k", "v"}},
                              "[A]\rx=1\ry=2\r\nk=v\r"},
                    // The added line's CR and the blank line's LF must not make one CRLF.
                    WriteCase{"CarriageReturnBeforeABlankLineFeedLine",
                              "[A]\rx=1\n\n[B]\ry=2\r",
                              {{"A", "k", "v"}},
                              "[A]\rx=1\nk=v\r\n\n[B]\ry=2\r"},
                    WriteCase{
                        "TieGivesCrLf", "[A]\nx=1\r\n", {{"A", "k", "v"}}, "[A]\nx=1\r\nk=v\r\n"},
                    WriteCase{"NoLineBreakGivesCrLf", "[A]", {{"A", "k", "v"}}, "[A]\r\nk=v\r\n"}),
    CaseName);

// Names and line endings as the platform's own reader sees them, so that a write lands on the
// line the game reads rather than on a second one it never does.
INSTANTIATE_TEST_SUITE_P(
    PlatformReader,
    WriteTest,
    testing::Values(
        WriteCase{"HeaderAfterAVerticalTab", "\v[x]\nk=1\n", {{"x", "k", "2"}}, "\v[x]\nk=2\n"},
        WriteCase{"KeyAfterAFormFeed", "[x]\n\fk=1\n", {{"x", "k", "2"}}, "[x]\n\fk=2\n"},
        WriteCase{"EveryBlankAroundAValueStays",
                  "[x]\nk\x1a=\v1\x1a\n",
                  {{"x", "k", "2"}},
                  "[x]\nk\x1a=\v2\x1a\n"},
        WriteCase{"HeaderNameTrimmedOfEveryBlank",
                  "[\f x \x1a]\nk=1\n",
                  {{"X", "k", "2"}},
                  "[\f x \x1a]\nk=2\n"},
        WriteCase{"BlankLineOfFormFeedsIsNoPlaceForNewKeys",
                  "[A]\nx=1\n\f\v\n[B]\n",
                  {{"A", "y", "2"}},
                  "[A]\nx=1\ny=2\n\f\v\n[B]\n"},
        WriteCase{
            "NulEndsAKeysName", "[x]\nk\0junk=se\n"s, {{"x", "k", "new"}}, "[x]\nk\0junk=new\n"s},
        WriteCase{
            "NulEndsASectionsName", "[x\0junk]\nk=1\n"s, {{"x", "k", "2"}}, "[x\0junk]\nk=2\n"s},
        WriteCase{"NameIsTrimmedBeforeTheNulEndsIt",
                  "[x]\nk \0junk=1\n"s,
                  {{"x", "k", "2"}},
                  "[x]\nk \0junk=1\nk=2\n"s},
        WriteCase{"LfCrEndsALineAsOne",
                  "[A]\na=1\n\r[B]\nb=2\n\r",
                  {{"A", "c", "3"}, {"B", "d", "4"}},
                  "[A]\na=1\n\rc=3\n[B]\nb=2\n\rd=4\n"},
        WriteCase{"CrOfACrLfIsNoPartOfAnLfCr",
                  "[A]\na=1\n\r\n[B]\n",
                  {{"A", "c", "3"}},
                  "[A]\na=1\nc=3\n\r\n[B]\n"},
        // The added line's LF and the blank line's CR must not make one LF CR.
        WriteCase{"LineFeedBeforeABlankCarriageReturnLine",
                  "[A]\na=1\r\r[B]\nb=2\nc=0\n",
                  {{"A", "n", "3"}},
                  "[A]\na=1\rn=3\r\n\r[B]\nb=2\nc=0\n"}),
    CaseName);

TEST(PrivateProfileRead, NamesAndValuesAsThePlatformsReaderSeesThem)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path,
               "\x1a[\vCorners\f]\r\n\v Quoted \x1a= \f'q'\v\r\nNul\0junk=n\0cut\r\n"
               "Late \0=hidden\r\n[Next\0junk]\r\nk=1\r\n"s);
    PrivateProfileFile profile(path, RealFileSystem());
    const std::vector<std::pair<std::pair<std::string, std::string>, std::string>> expected{
        {{"Corners", "Quoted"}, "q"},
        {{"corners", "nul"}, "n"},
        {{"Corners", "Late"}, "<default>"},
        {{"Corners", "Late "}, "hidden"},
        {{"Next", "k"}, "1"},
    };
    for (const auto &[names, value] : expected)
        EXPECT_EQ(profile.GetString(names.first, names.second, "<default>"), value)
            << "[" << names.first << "] " << names.second;
}

// The index is built only as far as the writes need it: the sections are found by their "[",
// and only the sections written to get their keys indexed.
INSTANTIATE_TEST_SUITE_P(
    PartlyIndexed,
    WriteTest,
    testing::Values(WriteCase{"LoneCrEndsTheLastLineBeforeTheNextHeader",
                              "[A]\nx=1\r[B]\n",
                              {{"A", "k", "v"}},
                              "[A]\nx=1\rk=v\n[B]\n"},
                    WriteCase{"BracketsInsideLinesAreNoHeaders",
                              "[A]\nx=[B]\n  [B\ny=1\n",
                              {{"A", "y", "2"}, {"B", "z", "3"}},
                              "[A]\nx=[B]\n  [B\ny=2\n[B]\nz=3\n"},
                    WriteCase{"SectionsWrittenAgainstTheFilesOrder",
                              "[A]\nx=1\n[B]\ny=1\n[a]\nx=7\n[C]\nz=1\n",
                              {{"C", "z", "2"}, {"A", "x", "3"}, {"B", "n", "4"}, {"a", "m", "5"}},
                              "[A]\nx=3\nm=5\n[B]\ny=1\nn=4\n[a]\nx=7\n[C]\nz=2\n"},
                    WriteCase{"SectionFirstMissingThenAdded",
                              "[A]\nx=1\n",
                              {{"B", "y", "1"}, {"A", "x", "2"}, {"b", "y", "3"}},
                              "[A]\nx=2\n[B]\ny=3\n"}),
    CaseName);

// Reading and writing a key in the last of thousands of sections finds it and changes nothing
// else.
TEST(PrivateProfileWrite, KeyInTheLastOfManySections)
{
    std::string before;
    for (int section = 0; section < 5000; ++section)
        before += "[S" + std::to_string(section) + "]\r\nKey=" + std::to_string(section) + "\r\n";
    std::string after = before;
    after.replace(after.rfind("Key=4999"), 8, "Key=new");
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, before);
    PrivateProfileFile profile(path, RealFileSystem());
    EXPECT_EQ(profile.GetString("s4999", "key", ""), "4999");
    EXPECT_TRUE(profile.WriteString("S4999", "Key", "new"));
    EXPECT_EQ(profile.GetString("S2500", "Key", ""), "2500");
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(ReadBytes(path), after);
}

TEST(PrivateProfileWrite, CreatesAMissingFile)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    PrivateProfileFile profile(path, RealFileSystem());
    EXPECT_TRUE(profile.WriteString("Defaults", "Log", "TRUE"));
    EXPECT_EQ(profile.GetString("Defaults", "Log", ""), "TRUE");
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing reaches the disk before a flush";
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(ReadBytes(path), "[Defaults]\r\nLog=TRUE\r\n");
}

TEST(PrivateProfileWrite, ReadsSeeEarlierWritesOfTheSameInstance)
{
    TempFolder folder;
    WriteBytes(folder.file("dmclient.ini"), "[A]\nx=1\n");
    PrivateProfileFile profile(folder.file("dmclient.ini"), RealFileSystem());
    ASSERT_TRUE(profile.WriteString("A", "x", "  spaced  "));
    ASSERT_TRUE(profile.WriteString("A", "y", "\"quoted\""));
    ASSERT_TRUE(profile.WriteString("B", "z", "3"));
    EXPECT_EQ(profile.GetString("a", "X", ""), "spaced");
    EXPECT_EQ(profile.GetString("A", "y", ""), "quoted");
    EXPECT_EQ(profile.GetString("b", "Z", ""), "3");
}

TEST(PrivateProfileWrite, LongValuesAreWrittenWholeAndSurviveWritingBackTheirRead)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    const std::string stored = "[S]\nLong=" + std::string(3000, 'v') + "\n";
    WriteBytes(path, stored);
    RecordingFileSystem files;
    {
        PrivateProfileFile profile(path, files);
        EXPECT_TRUE(profile.WriteString("S", "Long", profile.GetString("S", "Long", "")));
        EXPECT_TRUE(profile.Flush());
    }
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(ReadBytes(path), stored);

    PrivateProfileFile profile(path, files);
    EXPECT_TRUE(profile.WriteString("S", "Long", std::string(2500, 'w')));
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(ReadBytes(path), "[S]\nLong=" + std::string(2500, 'w') + "\n");
}

// Whatever a file holds, writing back every value a read returned changes nothing at all.
TEST(PrivateProfileWrite, WritingBackWhatWasReadLeavesAnyFileAsItWas)
{
    const std::vector<std::string> files = {
        TrickyFile,
        Bom + "[A]\r\nx = ' padded '  \r\ny=\"\"\r\nz\r\n",
        "[A]\nx=\"unbalanced\ny='both\"\n[A]\nx=shadow",
        "[A]\r\rx=1\r\r\n\n[B]\r\ty=\t2\t",
        "[Long]\nv=" + std::string(2100, 'a') + "\"\n",
    };
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"General", "Name"},
        {"General", "Quoted"},
        {"General", "Single"},
        {"General", "Mixed"},
        {"General", "Lone"},
        {"General", "Empty"},
        {"General", "Bare"},
        {"General", "Dup"},
        {"General", "dup"},
        {"General", "Equals"},
        {"General", "Tabbed"},
        {"General", "Inner"},
        {"General", "Later"},
        {"Spaced Section", "Key"},
        {"Lone CR", "Key"},
        {"Last", "NoNewline"},
        {"A", "x"},
        {"A", "y"},
        {"A", "z"},
        {"B", "y"},
        {"Long", "v"},
        {"General", "EmptyQuotes"},
    };
    for (const auto &before : files) {
        TempFolder folder;
        const auto path = folder.file("dmclient.ini");
        WriteBytes(path, before);
        RecordingFileSystem recording;
        PrivateProfileFile profile(path, recording);
        for (const auto &[section, key] : keys) {
            const auto value = profile.GetString(section, key, "<missing>");
            if (value != "<missing>") {
                EXPECT_TRUE(profile.WriteString(section, key, value)) << key;
            }
        }
        EXPECT_TRUE(profile.Flush());
        EXPECT_EQ(recording.canReplaceCalls, 0);
        EXPECT_EQ(recording.replaceCalls, 0);
        EXPECT_EQ(ReadBytes(path), before);
    }
}

// ---------------------------------------------------------------------------------------------
// Refusals: the file stays exactly as it was.

struct UnsafeCase
{
    std::string name;
    KeyWrite write;
};

class UnsafeWriteTest : public testing::TestWithParam<UnsafeCase>
{};

TEST_P(UnsafeWriteTest, IsRefusedAndChangesNothing)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    const std::string before = "[S]\r\nKey=old\r\n";
    WriteBytes(path, before);
    RecordingFileSystem files;
    PrivateProfileFile profile(path, files);
    const auto &write = GetParam().write;
    EXPECT_FALSE(profile.WriteString(write.section, write.key, write.value));
    EXPECT_EQ(profile.GetString("S", "Key", ""), "old");
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(ReadBytes(path), before);
}

std::string UnsafeName(const testing::TestParamInfo<UnsafeCase> &info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names,
    UnsafeWriteTest,
    testing::Values(UnsafeCase{"ValueWithLineFeed", {"S", "Key", "a\nb"}},
                    UnsafeCase{"ValueWithCarriageReturn", {"S", "Key", "a\rb"}},
                    UnsafeCase{"ValueWithNul", {"S", "Key", std::string("a\0b", 3)}},
                    UnsafeCase{"SectionWithLineFeed", {"S\n[T]", "Key", "v"}},
                    UnsafeCase{"SectionWithNul", {std::string("S\0", 2), "Key", "v"}},
                    UnsafeCase{"SectionWithBracket", {"S]x", "Key", "v"}},
                    UnsafeCase{"EmptySection", {"", "Key", "v"}},
                    UnsafeCase{"BlankSection", {" \t", "Key", "v"}},
                    UnsafeCase{"SectionWithBlanksAround", {" S ", "Key", "v"}},
                    UnsafeCase{"KeyWithEquals", {"S", "Key=x", "v"}},
                    UnsafeCase{"KeyWithLineFeed", {"S", "Key\nx", "v"}},
                    UnsafeCase{"KeyWithCarriageReturn", {"S", "Key\r", "v"}},
                    UnsafeCase{"KeyWithNul", {"S", std::string("K\0", 2), "v"}},
                    UnsafeCase{"KeyStartingWithBracket", {"S", "[Key]", "v"}},
                    UnsafeCase{"KeyStartingWithSemicolon", {"S", ";Key", "v"}},
                    UnsafeCase{"KeyStartingWithHash", {"S", "#Key", "v"}},
                    UnsafeCase{"EmptyKey", {"S", "", "v"}},
                    UnsafeCase{"BlankKey", {"S", "  ", "v"}},
                    UnsafeCase{"KeyWithLeadingBlank", {"S", " Key", "v"}},
                    UnsafeCase{"KeyWithTrailingTab", {"S", "Key\t", "v"}},
                    // The file's names are trimmed of these too: the key would never be found.
                    UnsafeCase{"SectionWithLeadingVerticalTab", {"\vS", "Key", "v"}},
                    UnsafeCase{"KeyWithTrailingFormFeed", {"S", "Key\f", "v"}},
                    UnsafeCase{"KeyWithLeadingEndOfFileMark", {"S", "\x1aKey", "v"}}),
    UnsafeName);

// A place the file cannot be written to: the write that would change it is refused at once.
class UnwritableFileTest : public testing::Test
{
protected:
    // Asserts that changing writes are refused and nothing is written.
    void ExpectRefused(const std::string &path)
    {
        const auto before = ReadBytes(path);
        RecordingFileSystem files;
        PrivateProfileFile profile(path, files);
        EXPECT_FALSE(profile.WriteString("S", "Key", "new"));
        EXPECT_FALSE(profile.WriteString("S", "Other", "new"));
        EXPECT_TRUE(profile.Flush());
        // Asked at most once: the answer is kept for the instance, and what cannot be read is
        // refused before asking.
        EXPECT_LE(files.canReplaceCalls, 1);
        EXPECT_EQ(files.replaceCalls, 0);
        EXPECT_EQ(ReadBytes(path), before);
    }

    TempFolder folder;
};

TEST_F(UnwritableFileTest, MissingFolder)
{
    ExpectRefused(folder.file("missing/dmclient.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
}

TEST_F(UnwritableFileTest, FolderWhereTheFileShouldBe)
{
    std::filesystem::create_directory(folder.file("dmclient.ini"));
    ExpectRefused(folder.file("dmclient.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dmclient.ini")));
}

// Refused even for root, who passes every permission check.
TEST_F(UnwritableFileTest, FileWithoutAnyWriteBit)
{
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, "[S]\nKey=old\n");
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read
                                     | std::filesystem::perms::group_read
                                     | std::filesystem::perms::others_read);
    ExpectRefused(path);

    // A write that changes nothing needs no write access.
    PrivateProfileFile profile(path, RealFileSystem());
    EXPECT_TRUE(profile.WriteString("S", "Key", "old"));
    EXPECT_TRUE(profile.Flush());
}

// ---------------------------------------------------------------------------------------------
// Flushing

TEST(PrivateProfileFlush, WritesOnlyWhenSomethingChanged)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, "[S]\nKey=old\n");
    RecordingFileSystem files;
    PrivateProfileFile profile(path, files);
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(files.replaceCalls, 0);

    EXPECT_TRUE(profile.WriteString("S", "Key", "new"));
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(files.replaceCalls, 1);

    // The same write again is no change, in this instance or a new one.
    EXPECT_TRUE(profile.WriteString("S", "Key", "new"));
    EXPECT_TRUE(profile.Flush());
    PrivateProfileFile again(path, files);
    EXPECT_TRUE(again.WriteString("S", "Key", "new"));
    EXPECT_TRUE(again.Flush());
    EXPECT_EQ(files.replaceCalls, 1);
    EXPECT_EQ(ReadBytes(path), "[S]\nKey=new\n");
}

TEST(PrivateProfileFlush, DestructionDropsUnflushedChanges)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, "[S]\nKey=old\n");
    {
        PrivateProfileFile profile(path, RealFileSystem());
        EXPECT_TRUE(profile.WriteString("S", "Key", "new"));
        EXPECT_TRUE(profile.WriteString("T", "Key", "new"));
    }
    EXPECT_EQ(ReadBytes(path), "[S]\nKey=old\n");
}

TEST(PrivateProfileFlush, FailedFlushLeavesTheOldFileAndCanBeRetried)
{
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    WriteBytes(path, "[S]\nKey=old\n");
    FailingFileSteps failAtFirstWrite(2);
    SteppedFileSystem files(failAtFirstWrite);
    PrivateProfileFile profile(path, files);
    EXPECT_TRUE(profile.WriteString("S", "Key", "new"));
    EXPECT_FALSE(profile.Flush());
    EXPECT_EQ(ReadBytes(path), "[S]\nKey=old\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);

    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(ReadBytes(path), "[S]\nKey=new\n");
}

} // namespace
