#include "FailingFileSteps.h"
#include "TempFolder.h"
#include "ini/AtomicFileWin32.h"
#include "ini/FileSystem.h"

#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string OldContent = "[Defaults]\r\nLog=FALSE\r\n; kept\r\n";
const std::string NewContent = "[Defaults]\r\nLog=TRUE\r\n; kept\r\n[New]\r\nKey=1\r\n";

DWORD AttributesOf(const std::string &path)
{
    return GetFileAttributesA(path.c_str());
}

void SetAttributes(const std::string &path, DWORD attributes)
{
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
}

std::vector<std::string> NamesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Symbolic links need a privilege or developer mode on Windows; where they cannot be made,
// the tests that need them are skipped.
bool MakeFileLink(const std::string &target, const std::string &link)
{
    std::error_code error;
    fs::create_symlink(target, link, error);
    // Wine says yes and makes nothing.
    return !error && fs::is_symlink(link);
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

TEST_F(FileSystemTest, ReadAllReadsAFileAnotherProgramHoldsOpenForWriting)
{
    WriteBytes(path, OldContent);
    const HANDLE held = CreateFileA(path.c_str(),
                                    GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr,
                                    OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files.ReadAll(path), OldContent);
    CloseHandle(held);
}

// ---------------------------------------------------------------------------------------------
// CanReplace

TEST_F(FileSystemTest, CanReplaceAWritableFileOrCreateAMissingOne)
{
    EXPECT_TRUE(files.CanReplace(path));
    WriteBytes(path, OldContent);
    EXPECT_TRUE(files.CanReplace(path));
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"})
        << "the check left a file behind";
}

TEST_F(FileSystemTest, CanReplaceRefusesWhatReplaceCannotDoRight)
{
    EXPECT_FALSE(files.CanReplace(folder.file("missing\\dmclient.ini")));

    fs::create_directory(folder.file("folder.ini"));
    EXPECT_FALSE(files.CanReplace(folder.file("folder.ini")));

    WriteBytes(folder.file("plain"), "");
    EXPECT_FALSE(files.CanReplace(folder.file("plain\\dmclient.ini")));

    // Read-only, although the folder is writable and a rename there would go through.
    WriteBytes(path, OldContent);
    SetAttributes(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files.CanReplace(path));
    SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileSystemTest, CanReplaceRefusesAFileAnotherProgramHoldsExclusively)
{
    WriteBytes(path, OldContent);
    const HANDLE held = CreateFileA(
        path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.CanReplace(path));
    CloseHandle(held);
    EXPECT_TRUE(files.CanReplace(path));
}

// ---------------------------------------------------------------------------------------------
// Replace

TEST_F(FileSystemTest, ReplaceCreatesANewFile)
{
    EXPECT_TRUE(files.Replace(path, NewContent));
    EXPECT_EQ(ReadBytes(path), NewContent);
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
}

TEST_F(FileSystemTest, ReplaceKeepsTheAttributesOfTheFile)
{
    for (const DWORD attributes :
         {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN}}) {
        WriteBytes(path, OldContent);
        SetAttributes(path, attributes);
        EXPECT_TRUE(files.Replace(path, NewContent));
        EXPECT_EQ(ReadBytes(path), NewContent);
        EXPECT_EQ(AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
        SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
}

TEST_F(FileSystemTest, ReplaceRefusesWhatIsNoWritableFile)
{
    fs::create_directory(path);
    EXPECT_FALSE(files.Replace(path, NewContent));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(files.Replace(folder.file("missing\\dmclient.ini"), NewContent));

    WriteBytes(folder.file("locked.ini"), OldContent);
    SetAttributes(folder.file("locked.ini"), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files.Replace(folder.file("locked.ini"), NewContent));
    SetAttributes(folder.file("locked.ini"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(folder.file("locked.ini")), OldContent);
    EXPECT_EQ(NamesIn(folder.path()), (std::vector<std::string>{"dmclient.ini", "locked.ini"}));
}

TEST_F(FileSystemTest, ReplaceWritesThroughALinkToItsTarget)
{
    fs::create_directory(folder.file("real"));
    WriteBytes(folder.file("real\\target.ini"), OldContent);
    if (!MakeFileLink(folder.file("real\\target.ini"), path))
        GTEST_SKIP() << "this system makes no symbolic links";

    EXPECT_TRUE(files.CanReplace(path));
    EXPECT_TRUE(files.Replace(path, NewContent));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(ReadBytes(folder.file("real\\target.ini")), NewContent);
    EXPECT_EQ(NamesIn(folder.file("real")), std::vector<std::string>{"target.ini"});
}

TEST_F(FileSystemTest, ALinkThatLeadsNowhereIsNotWritten)
{
    if (!MakeFileLink(folder.file("gone.ini"), path))
        GTEST_SKIP() << "this system makes no symbolic links";
    EXPECT_FALSE(files.CanReplace(path));
    EXPECT_FALSE(files.Replace(path, NewContent));
    EXPECT_TRUE(fs::is_symlink(path));
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
                SetAttributes(path, FILE_ATTRIBUTE_HIDDEN);
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
                EXPECT_NE(AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0U);
                SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
            }
            const auto expected = replaced || existed ? std::vector<std::string>{"dmclient.ini"}
                                                      : std::vector<std::string>{};
            EXPECT_EQ(NamesIn(folder.path()), expected);
        }
    }
}

TEST_F(FileSystemTest, AFolderThatRefusesNewFilesGetsTheFileRewrittenInPlace)
{
    const std::string longer = OldContent + OldContent + OldContent;
    WriteBytes(path, longer);
    FolderRefusingFileSteps refusing(ERROR_ACCESS_DENIED);
    ASSERT_TRUE(ReplaceFileAtomically(path, NewContent, refusing));
    EXPECT_EQ(ReadBytes(path), NewContent) << "cut to the new length";
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});

    // Only a folder that refuses access does, and only for a file already there.
    WriteBytes(path, OldContent);
    FolderRefusingFileSteps failing(ERROR_WRITE_FAULT);
    EXPECT_FALSE(ReplaceFileAtomically(path, NewContent, failing));
    EXPECT_EQ(ReadBytes(path), OldContent);
    fs::remove(path);
    EXPECT_FALSE(ReplaceFileAtomically(path, NewContent, refusing));
    EXPECT_FALSE(fs::exists(path));
}

TEST(FinalPath, FolderOfKeepsTheRootOfADrive)
{
    EXPECT_EQ(FolderOf(L"C:\\Games\\dmclient.ini"), L"C:\\Games");
    EXPECT_EQ(FolderOf(L"C:\\dmclient.ini"), L"C:\\");
    EXPECT_EQ(FolderOf(L"dmclient.ini"), L".");
}

} // namespace
