#include "locate/WineRegistry.h"

#include "FakeWinePrefix.h"

#include <gtest/gtest.h>

namespace {

constexpr const char *Key
    = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe";

const std::string KeyLine = AppPathKeyLine;

struct RegistryCase
{
    const char *name;
    std::string file;
    std::optional<std::string> path;
};

void PrintTo(const RegistryCase &registryCase, std::ostream *out)
{
    *out << registryCase.name;
}

class ReadRegistryTextTest : public testing::TestWithParam<RegistryCase>
{};

TEST_P(ReadRegistryTextTest, ReadsPathOfTheGameKey)
{
    EXPECT_EQ(ReadRegistryText(GetParam().file, {Key}, "Path"), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Values,
    ReadRegistryTextTest,
    testing::Values(
        RegistryCase{"PlainText",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\\Games\\Duskmarch")"
                                    "\n"),
                     "C:\\Games\\Duskmarch"},
        RegistryCase{"EscapesDecodedToUtf8",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\\Dusk \"march\" \x00e9\xd83d\xde00\t!")"
                                    "\n"),
                     "C:\\Dusk \"march\" \xC3\xA9\xF0\x9F\x98\x80\t!"},
        RegistryCase{"ExpandableTakenAsStored",
                     RegistryFile(KeyLine
                                  + R"("Path"=str(2):"%ProgramFiles%\\Duskmarch")"
                                    "\n"),
                     "%ProgramFiles%\\Duskmarch"},
        RegistryCase{"CutAtNul",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\\Games\0junk")"
                                    "\n"),
                     "C:\\Games"},
        RegistryCase{
            "NamesInAnotherCase",
            RegistryFile(
                R"([software\\MICROSOFT\\windows\\currentversion\\app paths\\DUSKMARCH.EXE] 1)"
                "\n"
                R"("PATH"="C:\\Games")"
                "\n"),
            "C:\\Games"},
        RegistryCase{"AfterContinuedBinaryValue",
                     RegistryFile(KeyLine
                                  + "\"Blob\"=hex:01,02,\\\n  03,04\n"
                                    R"("Path"="C:\\Games")"
                                    "\n"),
                     "C:\\Games"},
        RegistryCase{"WindowsLineBreaks",
                     "WINE REGISTRY Version 2\r\n\r\n"
                     "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                     "Paths\\\\Duskmarch.exe] 1\r\n"
                     "\"Path\"=\"C:\\\\Games\"\r\n",
                     "C:\\Games"},
        RegistryCase{"EmptyValue",
                     RegistryFile(KeyLine
                                  + R"("Path"="")"
                                    "\n"),
                     std::nullopt},
        RegistryCase{"OnlyNul",
                     RegistryFile(KeyLine
                                  + R"("Path"="\0")"
                                    "\n"),
                     std::nullopt},
        RegistryCase{
            "NumberValue", RegistryFile(KeyLine + "\"Path\"=dword:00000001\n"), std::nullopt},
        RegistryCase{
            "BinaryValue", RegistryFile(KeyLine + "\"Path\"=hex:43,00,3a,00\n"), std::nullopt},
        RegistryCase{"MultiStringValue",
                     RegistryFile(KeyLine
                                  + R"("Path"=str(7):"C:\\Games\0")"
                                    "\n"),
                     std::nullopt},
        RegistryCase{
            "OnlyInSubkey",
            RegistryFile(
                R"([Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe\\Shell] 1)"
                "\n"
                R"("Path"="C:\\Games")"
                "\n"),
            std::nullopt},
        RegistryCase{"InAnotherKeyBeforeTheGameKey",
                     RegistryFile(R"([Software\\Other] 1)"
                                  "\n"
                                  R"("Path"="C:\\Other")"
                                  "\n"
                                  + KeyLine),
                     std::nullopt},
        RegistryCase{"NoHeader",
                     KeyLine
                         + R"("Path"="C:\\Games")"
                           "\n",
                     std::nullopt},
        RegistryCase{"OtherVersion",
                     "WINE REGISTRY Version 1\n" + KeyLine
                         + R"("Path"="C:\\Games")"
                           "\n",
                     std::nullopt},
        RegistryCase{"UnterminatedValue",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\\Games)"
                                    "\n"),
                     std::nullopt},
        RegistryCase{"TextAfterValue",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\\Games" x)"
                                    "\n"),
                     std::nullopt},
        RegistryCase{"HexEscapeWithoutDigits",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\xZZ")"
                                    "\n"),
                     std::nullopt},
        RegistryCase{"LoneSurrogate",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\xd83d")"
                                    "\n"),
                     std::nullopt},
        RegistryCase{"BrokenLineInKey",
                     RegistryFile(KeyLine + "Path=C:\\Games\n\"Path\"=\"C:\\\\Games\"\n"),
                     std::nullopt},
        RegistryCase{"BrokenKeyLineLater",
                     RegistryFile(KeyLine
                                  + R"("Path"="C:\\Games")"
                                    "\n[Software\\\\Unclosed\n"),
                     std::nullopt},
        RegistryCase{"BrokenKeyLineEarlier",
                     RegistryFile("[Software\\\\Unclosed\n" + KeyLine
                                  + R"("Path"="C:\\Games")"
                                    "\n"),
                     std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

constexpr const char *Key32
    = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe";
const std::string Key32Line
    = R"([Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Duskmarch.exe] 1)"
      "\n";

// The keys are tried in the order given, not in the order of the file, and a value that is not
// text in one leaves the next one its turn.
TEST(ReadRegistryText, TakesTheFirstKeyGivenThatHoldsText)
{
    const auto both = RegistryFile(Key32Line
                                   + R"("Path"="C:\\Wow")"
                                     "\n"
                                   + KeyLine
                                   + R"("Path"="C:\\Native")"
                                     "\n");
    const auto nativeNotText = RegistryFile(KeyLine + "\"Path\"=dword:00000001\n" + Key32Line
                                            + R"("Path"="C:\\Wow")"
                                              "\n");

    EXPECT_EQ(ReadRegistryText(both, {Key, Key32}, "Path"), "C:\\Native");
    EXPECT_EQ(ReadRegistryText(both, {Key32, Key}, "Path"), "C:\\Wow");
    EXPECT_EQ(ReadRegistryText(nativeNotText, {Key, Key32}, "Path"), "C:\\Wow");
    EXPECT_EQ(ReadRegistryText(nativeNotText, {Key}, "Path"), std::nullopt);
}

// Every cut of a real-looking file must come back with an answer or none, never a fault.
TEST(ReadRegistryText, SurvivesEveryTruncation)
{
    const auto file = RegistryFile(KeyLine
                                   + "\"Blob\"=hex:01,02,\\\n  03\n"
                                     R"("Path"=str(2):"C:\\Dusk \"m\" \x00e9\xd83d\xde00\0")"
                                     "\n");
    for (std::size_t length = 0; length <= file.size(); ++length) {
        const auto path = ReadRegistryText(file.substr(0, length), {Key}, "Path");
        EXPECT_TRUE(!path || *path == "C:\\Dusk \"m\" \xC3\xA9\xF0\x9F\x98\x80") << length;
    }
}

} // namespace
