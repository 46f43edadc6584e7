// A client file of 100 MB: a whole load, edit and save goes through, keeps every byte it does
// not own, and needs no more memory than a small multiple of the file. It takes seconds and
// measures the whole process, so it runs on its own, outside the normal suite.

#include "ClientFile.h"
#include "TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>

#include <gtest/gtest.h>

// GCC says so with a macro, clang through __has_feature, which GCC 12 lacks.
#define VEZAZ_CLANG_ASAN 0
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#undef VEZAZ_CLANG_ASAN
#define VEZAZ_CLANG_ASAN 1
#endif
#endif

namespace {

constexpr std::uintmax_t TargetSize = 100ULL * 1024 * 1024;

// One line of the large section nobody knows: a chat log some add-on keeps in the file.
std::string LogLine(std::uint64_t number)
{
    return "Line" + std::to_string(number) + "=[12:00] Somebody says: the quick brown fox\r\n";
}

// The realistic file with a section of about 100 MB inserted after [Defaults]'s first lines,
// and ending with that section's line count.
std::uint64_t WriteBigFile(const std::string &path)
{
    const std::string realistic = TestData("realistic_client.ini");
    const auto split = realistic.find("[TextColors]");
    std::ofstream out(path, std::ios::binary);
    out << realistic.substr(0, split) << "[ChatLog]\r\n";
    std::uint64_t lines = 0;
    std::uintmax_t written = realistic.size();
    while (written < TargetSize) {
        const auto line = LogLine(lines++);
        out << line;
        written += line.size();
    }
    out << realistic.substr(split);
    return lines;
}

// Reads the saved file back a line at a time: the log lines are all there, in order.
bool LogSurvived(const std::string &path, std::uint64_t lines)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::uint64_t next = 0;
    while (next < lines && std::getline(in, line)) {
        if (line + "\n" == LogLine(next))
            ++next;
    }
    return next == lines;
}

std::uintmax_t PeakResidentBytes()
{
    struct rusage usage
    {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uintmax_t>(usage.ru_maxrss) * 1024;
}

TEST(BigFile, LoadsAndSavesAHundredMegabytesInBoundedMemory)
{
#if defined(__SANITIZE_ADDRESS__) || VEZAZ_CLANG_ASAN
    GTEST_SKIP() << "the address sanitizer's own memory would be measured";
#endif
    TempFolder folder;
    const auto path = folder.file("dmclient.ini");
    const auto lines = WriteBigFile(path);
    const auto size = std::filesystem::file_size(path);

    ClientSettings settings;
    ASSERT_EQ(LoadAllSections(path, settings), std::nullopt);
    EXPECT_EQ(settings.Defaults.VideoMode, 2);
    settings.Defaults.VideoMode = 4;
    settings.UserColors[51].blue = 7;
    ASSERT_EQ(SaveAllSections(path, settings), std::nullopt);

    const auto peak = PeakResidentBytes();
    std::cout << "file " << size / 1024 / 1024 << " MB, peak resident " << peak / 1024 / 1024
              << " MB\n";
    EXPECT_LT(peak, 4 * size);

    ClientSettings reloaded;
    ASSERT_EQ(LoadAllSections(path, reloaded), std::nullopt);
    EXPECT_EQ(reloaded, settings);
    EXPECT_TRUE(LogSurvived(path, lines));
}

} // namespace
