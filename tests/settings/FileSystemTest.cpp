#include "ini/FileSystem.h"

#include "FailingFileSteps.h"
#include "TempFolder.h"
#include "ini/AtomicFile.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string OldContent = "[Defaults]\r\nLog=FALSE\r\n; kept\r\n";
const std::string NewContent = "[Defaults]\r\nLog=TRUE\r\n; kept\r\n[New]\r\nKey=1\r\n";

struct stat StatOf(const std::string &path)
{
    struct stat info
    {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

mode_t ModeOf(const std::string &path)
{
    return StatOf(path).st_mode & 07777;
}

std::vector<std::string> NamesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

bool IsRoot()
{
    return geteuid() == 0;
}

class FileSystemTest : public testing::Test
{
protected:
    FileSystem &files = RealFileSystem();
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
};

// ---------------------------------------------------------------------------------------------
// ReadAll

TEST_F(FileSystemTest, ReadAllGivesTheExactBytes)
{
    const std::string bytes = std::string("[A]\r\nx=\0y\rz", 12) + std::string(200000, 'q');
    WriteBytes(path, bytes);
    EXPECT_EQ(files.ReadAll(path), bytes);
    WriteBytes(path, "");
    EXPECT_EQ(files.ReadAll(path), "");
}

TEST_F(FileSystemTest, ReadAllFindsNoFileWhereThereIsNone)
{
    EXPECT_EQ(files.ReadAll(path), std::nullopt);
    fs::create_directory(path);
    EXPECT_EQ(files.ReadAll(path), std::nullopt);
}

TEST_F(FileSystemTest, ReadAllFollowsLinks)
{
    WriteBytes(folder.file("target.ini"), OldContent);
    fs::create_symlink("target.ini", path);
    EXPECT_EQ(files.ReadAll(path), OldContent);
}

// ---------------------------------------------------------------------------------------------
// CanReplace

TEST_F(FileSystemTest, CanReplaceAWritableFileOrCreateAMissingOne)
{
    EXPECT_TRUE(files.CanReplace(path));
    WriteBytes(path, OldContent);
    EXPECT_TRUE(files.CanReplace(path));
    // A link whose target is still to be made: the target's folder decides.
    fs::create_symlink("later.ini", folder.file("link.ini"));
    EXPECT_TRUE(files.CanReplace(folder.file("link.ini")));
}

TEST_F(FileSystemTest, CanReplaceRefusesWhatReplaceCannotDoRight)
{
    EXPECT_FALSE(files.CanReplace(folder.file("missing/dmclient.ini")));

    fs::create_directory(folder.file("folder.ini"));
    EXPECT_FALSE(files.CanReplace(folder.file("folder.ini")));

    WriteBytes(folder.file("plain"), "");
    EXPECT_FALSE(files.CanReplace(folder.file("plain/dmclient.ini")));

    // No write bit at all: refused even for root, and even though the folder is writable.
    WriteBytes(path, OldContent);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(files.CanReplace(path));
    // Also through a link.
    fs::create_symlink("dmclient.ini", folder.file("link.ini"));
    EXPECT_FALSE(files.CanReplace(folder.file("link.ini")));

    fs::create_symlink("loop2", folder.file("loop1"));
    fs::create_symlink("loop1", folder.file("loop2"));
    EXPECT_FALSE(files.CanReplace(folder.file("loop1")));
}

// A folder without write access takes no new file, but a file in it that may be written is
// rewritten in place.
TEST_F(FileSystemTest, AFolderWithoutWriteAccessTakesNoNewFileButKeepsAWritableOne)
{
    if (IsRoot())
        GTEST_SKIP() << "root may write into any folder";
    fs::create_directory(folder.file("locked"));
    WriteBytes(folder.file("locked/dmclient.ini"), OldContent);
    ASSERT_EQ(chmod(folder.file("locked").c_str(), 0555), 0);
    EXPECT_FALSE(files.CanReplace(folder.file("locked/other.ini")));
    EXPECT_TRUE(files.CanReplace(folder.file("locked/dmclient.ini")));
    EXPECT_TRUE(files.Replace(folder.file("locked/dmclient.ini"), NewContent));
    EXPECT_EQ(ReadBytes(folder.file("locked/dmclient.ini")), NewContent);
    EXPECT_EQ(NamesIn(folder.file("locked")), std::vector<std::string>{"dmclient.ini"});
    chmod(folder.file("locked").c_str(), 0755);
}

// ---------------------------------------------------------------------------------------------
// Replace

TEST_F(FileSystemTest, ReplaceCreatesANewFileWithTheUsualMode)
{
    const mode_t mask = umask(022);
    EXPECT_TRUE(files.Replace(path, NewContent));
    umask(mask);
    EXPECT_EQ(ReadBytes(path), NewContent);
    EXPECT_EQ(ModeOf(path), 0644U);
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
}

TEST_F(FileSystemTest, ReplaceKeepsTheModeOfTheFile)
{
    for (const mode_t mode : {0600U, 0640U, 0664U, 0604U}) {
        WriteBytes(path, OldContent);
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        EXPECT_TRUE(files.Replace(path, NewContent));
        EXPECT_EQ(ReadBytes(path), NewContent);
        EXPECT_EQ(ModeOf(path), mode);
    }
}

TEST_F(FileSystemTest, ReplaceKeepsTheOwnerWhereItMay)
{
    if (!IsRoot())
        GTEST_SKIP() << "only root can give a file to someone else";
    WriteBytes(path, OldContent);
    ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
    EXPECT_TRUE(files.Replace(path, NewContent));
    EXPECT_EQ(StatOf(path).st_uid, 4321U);
    EXPECT_EQ(StatOf(path).st_gid, 4322U);
}

TEST_F(FileSystemTest, ReplaceWritesThroughAChainOfLinks)
{
    fs::create_directory(folder.file("real"));
    WriteBytes(folder.file("real/target.ini"), OldContent);
    ASSERT_EQ(chmod(folder.file("real/target.ini").c_str(), 0600), 0);
    fs::create_symlink("real/target.ini", folder.file("middle.ini"));
    fs::create_symlink(folder.file("middle.ini"), path);

    EXPECT_TRUE(files.Replace(path, NewContent));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_TRUE(fs::is_symlink(folder.file("middle.ini")));
    EXPECT_EQ(fs::read_symlink(folder.file("middle.ini")), "real/target.ini");
    EXPECT_EQ(ReadBytes(folder.file("real/target.ini")), NewContent);
    EXPECT_EQ(ModeOf(folder.file("real/target.ini")), 0600U);
    EXPECT_EQ(NamesIn(folder.file("real")), std::vector<std::string>{"target.ini"});
}

TEST_F(FileSystemTest, ReplaceCreatesTheTargetOfADanglingLink)
{
    fs::create_symlink("target.ini", path);
    EXPECT_TRUE(files.Replace(path, NewContent));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(ReadBytes(folder.file("target.ini")), NewContent);
}

TEST_F(FileSystemTest, ReplaceRefusesWhatIsNoFile)
{
    fs::create_directory(path);
    EXPECT_FALSE(files.Replace(path, NewContent));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(files.Replace(folder.file("missing/dmclient.ini"), NewContent));
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
}

// Whichever step of a replacement fails, the file is wholly old or wholly new, the result
// says which, and no temporary file is left.
TEST_F(FileSystemTest, AFailingStepNeverLeavesAHalfWrittenFile)
{
    FailingFileSteps counting(0);
    WriteBytes(path, OldContent);
    ASSERT_TRUE(ReplaceFileAtomically(path, NewContent, counting));
    const int steps = counting.calls();
    ASSERT_GT(steps, 5);

    for (const bool existed : {true, false}) {
        for (int failAt = 1; failAt <= steps; ++failAt) {
            SCOPED_TRACE(testing::Message()
                         << "failing step " << failAt << ", file existed " << existed);
            fs::remove(path);
            if (existed) {
                WriteBytes(path, OldContent);
                ASSERT_EQ(chmod(path.c_str(), 0640), 0);
            }
            FailingFileSteps failing(failAt);
            const bool replaced = ReplaceFileAtomically(path, NewContent, failing);
            if (replaced) {
                EXPECT_EQ(ReadBytes(path), NewContent);
            } else if (existed) {
                EXPECT_EQ(ReadBytes(path), OldContent);
            } else {
                EXPECT_FALSE(fs::exists(path));
            }
            if (existed) {
                EXPECT_EQ(ModeOf(path), 0640U);
            }
            const auto expected = replaced || existed ? std::vector<std::string>{"dmclient.ini"}
                                                      : std::vector<std::string>{};
            EXPECT_EQ(NamesIn(folder.path()), expected);
        }
    }
}

} // namespace
