// A whole save over a realistic file, with the file reader and writer failing at each of
// their steps in turn (open, stat, every read and write, sync, rename, every attribute copied):
// the file on disk is always what one of the section flushes left, never a mix of two nor an
// empty file, and a failure is reported with the path.

#include "ClientFile.h"
#include "FailingFileSteps.h"
#include "TempFolder.h"
#include "ini/AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Large enough that a flush takes a handful of writes rather than thousands, so that every
// step of a whole save can be made to fail in turn; small enough that a write can still fail
// half-way through the file.
constexpr std::size_t WriteChunk = 4096;

// The six section saves in the order of a whole save; each flushes the file once.
const std::vector<std::function<void(const std::string &, const ClientSettings &)>> SectionSaves = {
    [](auto &path, auto &settings) { SaveDefaultsSection(path, settings.Defaults); },
    [](auto &path, auto &settings) { SaveBagPositionsSection(path, settings.BagPositions); },
    [](auto &path, auto &settings) { SaveWindowLayoutSections(path, settings.WindowLayouts); },
    [](auto &path, auto &settings) { SaveWindowColorsSection(path, settings.WindowColors); },
    [](auto &path, auto &settings) { SaveKeyMapSection(path, settings.KeyMaps); },
    [](auto &path, auto &settings) { SaveTextColorsSection(path, settings.UserColors); },
};

std::vector<std::string> FileNamesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class CrashSafeSaveTest : public testing::Test
{
protected:
    void SetUp() override
    {
        original = TestData("realistic_client.ini");
        ASSERT_FALSE(original.empty());
        RestoreOriginal();
        ASSERT_EQ(LoadAllSections(path, settings), std::nullopt);
        // An edit in every record, so that every section's flush writes the file.
        settings.Defaults.VideoMode = 4;
        settings.BagPositions[3].y = 77;
        settings.WindowLayouts[2][6].x = 123;
        settings.WindowColors[1].trans = 2;
        settings.KeyMaps[5] = "F12";
        settings.UserColors[51].green = 200;
    }

    void RestoreOriginal()
    {
        WriteBytes(path, original);
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        // So that copying the attributes takes steps of its own, where the file system has them.
        setxattr(path.c_str(), AttributeName, "kept", 4, 0);
    }

    static constexpr const char *AttributeName = "user.vezaz.test";

    // The file as it stands before the save and after each section's flush.
    std::vector<std::string> SectionBoundaries()
    {
        std::vector<std::string> snapshots{original};
        for (const auto &save : SectionSaves) {
            save(path, settings);
            snapshots.push_back(ReadBytes(path));
        }
        RestoreOriginal();
        return snapshots;
    }

    TempFolder folder;
    std::string path = folder.file("dmclient.ini");
    std::string original;
    ClientSettings settings;
};

TEST_F(CrashSafeSaveTest, EveryFailingStepLeavesTheFileAtASectionBoundary)
{
    const auto snapshots = SectionBoundaries();
    for (std::size_t i = 1; i < snapshots.size(); ++i)
        ASSERT_NE(snapshots[i], snapshots[i - 1]) << "section " << i << " changed nothing";

    FailingFileSteps counting(0, WriteChunk);
    {
        const ScopedFileSteps steps(counting);
        ASSERT_EQ(SaveAllSections(path, settings), std::nullopt);
    }
    ASSERT_EQ(ReadBytes(path), snapshots.back());
    const int stepCount = counting.calls();
    ASSERT_GT(stepCount, 6 * 8) << "fewer steps than six flushes take";

    for (int failAt = 1; failAt <= stepCount; ++failAt) {
        SCOPED_TRACE(testing::Message() << "failing step " << failAt << " of " << stepCount);
        RestoreOriginal();
        FailingFileSteps failing(failAt, WriteChunk);
        const ScopedFileSteps steps(failing);

        const SectionsError error = SaveAllSections(path, settings);

        const std::string onDisk = ReadBytes(path);
        EXPECT_NE(std::find(snapshots.begin(), snapshots.end(), onDisk), snapshots.end())
            << "the file is none of the section boundaries (" << onDisk.size() << " bytes)";
        // Only the steps a writer may shrug off (giving the file its owner back, syncing the
        // folder after the rename) let the save go on.
        EXPECT_EQ(error.has_value(), onDisk != snapshots.back());
        if (error) {
            EXPECT_EQ(*error, "Unable to write to " + path);
        }
        EXPECT_EQ(FileNamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
        struct stat info
        {};
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640U);
        char value[8] = {};
        if (getxattr(path.c_str(), AttributeName, value, sizeof value) >= 0) {
            EXPECT_STREQ(value, "kept");
        }
    }
}

} // namespace
