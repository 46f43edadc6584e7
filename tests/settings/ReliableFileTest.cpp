// The file layer where the disk, the system or another program misbehaves: reads that fail
// or meet a writer, extended attributes, leftovers of a killed save, folders that refuse new
// files, and the order and modes of the atomic writer.

#include "FailingFileSteps.h"
#include "TempFolder.h"
#include "ini/AtomicFile.h"
#include "ini/FileStamp.h"
#include "ini/FileSystem.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string OldContent = "[Defaults]\r\nLog=FALSE\r\n; kept\r\n";
const std::string NewContent = "[Defaults]\r\nLog=TRUE\r\n";

std::vector<std::string> NamesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The real steps, each call noted by name, with a hook a test can run before any of them.
class RecordingSteps : public FailingFileSteps
{
public:
    RecordingSteps()
        : FailingFileSteps(0)
    {}

    std::vector<std::string> calls;
    std::function<void(const std::string &call)> before = [](const std::string &) {};

    template<typename Call>
    auto Note(const std::string &name, Call call)
    {
        before(name);
        calls.push_back(name);
        return call();
    }

    int OpenForReading(const std::string &path) override
    {
        return Note("open", [&] { return FailingFileSteps::OpenForReading(path); });
    }
    bool Stat(int fd, struct stat &info) override
    {
        return Note("stat", [&] { return FailingFileSteps::Stat(fd, info); });
    }
    ssize_t Read(int fd, char *data, std::size_t size) override
    {
        return Note("read", [&] { return FailingFileSteps::Read(fd, data, size); });
    }
    ssize_t Write(int fd, const char *data, std::size_t size) override
    {
        return Note("write", [&] { return FailingFileSteps::Write(fd, data, size); });
    }
    bool Sync(int fd) override
    {
        return Note("sync", [&] { return FailingFileSteps::Sync(fd); });
    }
    bool Rename(const std::string &from, const std::string &to) override
    {
        return Note("rename", [&] { return FailingFileSteps::Rename(from, to); });
    }
};

class ReliableFileTest : public testing::Test
{
protected:
    TempFolder folder;
    const std::string path = folder.file("dmclient.ini");
};

// ---------------------------------------------------------------------------------------------
// Reads: only a missing file reads as empty.

TEST_F(ReliableFileTest, OnlyAMissingFileOrFolderReadsAsMissing)
{
    EXPECT_EQ(ReadFileThrough(path, RealFileSteps()).outcome, FileRead::Outcome::Missing);
    EXPECT_EQ(ReadFileThrough(folder.file("none/dmclient.ini"), RealFileSteps()).outcome,
              FileRead::Outcome::Missing);
    WriteBytes(folder.file("plain"), "x");
    EXPECT_EQ(ReadFileThrough(folder.file("plain/dmclient.ini"), RealFileSteps()).outcome,
              FileRead::Outcome::Missing)
        << "ENOTDIR";
    fs::create_directory(path);
    EXPECT_EQ(ReadFileThrough(path, RealFileSteps()).outcome, FileRead::Outcome::Failed);
}

TEST_F(ReliableFileTest, EveryFailingReadStepFailsTheRead)
{
    WriteBytes(path, OldContent);
    FailingFileSteps counting(0);
    const FileRead whole = ReadFileThrough(path, counting);
    ASSERT_EQ(whole.outcome, FileRead::Outcome::Read);
    ASSERT_EQ(whole.content, OldContent);
    for (const int error : {EIO, EACCES, EMFILE, ENOMEM}) {
        for (int failAt = 1; failAt <= counting.calls(); ++failAt) {
            SCOPED_TRACE(testing::Message() << "failing step " << failAt << ", errno " << error);
            FailingFileSteps failing(failAt, 7, error);
            const FileRead read = ReadFileThrough(path, failing);
            EXPECT_EQ(read.outcome, FileRead::Outcome::Failed);
            EXPECT_EQ(read.content, "");
        }
    }
}

// No read of nothing confirms the end once the whole size is in: bytes added after that show in
// the metadata taken after the read.
TEST_F(ReliableFileTest, AFileThatGrowsRightAfterItsBytesWereReadFailsTheRead)
{
    WriteBytes(path, OldContent);
    RecordingSteps steps;
    int stats = 0;
    steps.before = [&](const std::string &call) {
        if (call == "stat" && ++stats == 2) {
            std::FILE *file = std::fopen(path.c_str(), "ab");
            std::fputs("[More]\r\n", file);
            std::fclose(file);
        }
    };
    EXPECT_EQ(ReadFileThrough(path, steps).outcome, FileRead::Outcome::Failed);
    EXPECT_EQ(stats, 2);
}

// The metadata a read gives is the file's own, so a stamp made from it matches a later look.
TEST_F(ReliableFileTest, AReadGivesTheMetadataOfTheFileItRead)
{
    WriteBytes(path, OldContent);
    const FileRead read = ReadFileThrough(path, RealFileSteps());
    ASSERT_TRUE(read.before.has_value());
    EXPECT_EQ(read.before, MetadataOf(path));
    EXPECT_EQ(read.before->size, OldContent.size());
    EXPECT_EQ(ReadFileThrough(folder.file("none"), RealFileSteps()).before, std::nullopt);
}

// A buffer handed in for its memory: whatever it held, longer or shorter than the file, the read
// gives the file's bytes alone, also when they come a few at a time.
TEST_F(ReliableFileTest, AReusedBufferGivesTheFileAlone)
{
    WriteBytes(path, OldContent);
    const std::string longer = std::string(OldContent.size() * 2, 'x');
    const std::string shorter = OldContent.substr(0, OldContent.size() / 2) + "y";
    for (const std::string &held : {std::string(), longer, shorter}) {
        for (const std::size_t chunk : {std::size_t{7}, OldContent.size(), OldContent.size() + 1}) {
            SCOPED_TRACE(testing::Message()
                         << held.size() << " bytes held, read " << chunk << " at a time");
            FailingFileSteps steps(0, chunk);
            const FileRead read = ReadFileThrough(path, steps, held);
            EXPECT_EQ(read.outcome, FileRead::Outcome::Read);
            EXPECT_EQ(read.content, OldContent);
        }
    }
    WriteBytes(path, "");
    const FileRead empty = ReadFileThrough(path, RealFileSteps(), longer);
    EXPECT_EQ(empty.outcome, FileRead::Outcome::Read);
    EXPECT_EQ(empty.content, "");
}

TEST_F(ReliableFileTest, AFileThatGrowsOrShrinksWhileReadFailsTheRead)
{
    for (const std::string &rewritten : {OldContent + "[More]\r\n", std::string("[S]\r\n")}) {
        SCOPED_TRACE(rewritten);
        WriteBytes(path, OldContent);
        RecordingSteps steps;
        bool done = false;
        steps.before = [&](const std::string &call) {
            if (call == "read" && !done) {
                done = true;
                // Another program rewriting the file in place, as the game does.
                WriteBytes(path, rewritten);
            }
        };
        EXPECT_EQ(ReadFileThrough(path, steps).outcome, FileRead::Outcome::Failed);
    }
}

TEST_F(ReliableFileTest, TheRealFileSystemTellsAFailedReadFromAMissingFile)
{
    WriteBytes(path, OldContent);
    for (const bool whole : {true, false}) {
        FailingFileSteps failing(3); // the first read
        const ScopedFileSteps steps(failing);
        if (whole) {
            EXPECT_EQ(RealFileSystem().ReadAll(path), std::nullopt);
        } else {
            EXPECT_EQ(RealFileSystem().Read(path).outcome, FileRead::Outcome::Failed);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Extended attributes and access control lists.

// A POSIX access control list as the kernel stores it: owner rw, the given user rw, group r,
// mask rw, others r.
std::string AclGrantingReadWrite(std::uint32_t user)
{
    std::string acl;
    auto put = [&acl](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    put(2, 4); // version
    const std::uint32_t entries[][3] = {{0x01, 6, 0xffffffff},
                                        {0x02, 6, user},
                                        {0x04, 4, 0xffffffff},
                                        {0x10, 6, 0xffffffff},
                                        {0x20, 4, 0xffffffff}};
    for (const auto &entry : entries) {
        put(entry[0], 2);
        put(entry[1], 2);
        put(entry[2], 4);
    }
    return acl;
}

std::optional<std::string> AttributeOf(const std::string &path, const char *name)
{
    char value[256];
    const ssize_t size = getxattr(path.c_str(), name, value, sizeof value);
    if (size < 0)
        return std::nullopt;
    return std::string(value, static_cast<std::size_t>(size));
}

TEST_F(ReliableFileTest, AReplacementKeepsTheAccessControlListAndUserAttributes)
{
    WriteBytes(path, OldContent);
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);
    const std::string acl = AclGrantingReadWrite(4242);
    if (setxattr(path.c_str(), "user.vezaz.origin", "game", 4, 0) != 0 && errno == ENOTSUP)
        GTEST_SKIP() << "this file system keeps no user. attributes";
    if (setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0
        && errno == ENOTSUP)
        GTEST_SKIP() << "this file system keeps no access control lists";
    const auto aclBefore = AttributeOf(path, "system.posix_acl_access");
    ASSERT_TRUE(aclBefore);

    ASSERT_TRUE(RealFileSystem().Replace(path, NewContent));

    EXPECT_EQ(ReadBytes(path), NewContent);
    EXPECT_EQ(AttributeOf(path, "user.vezaz.origin"), "game");
    EXPECT_EQ(AttributeOf(path, "system.posix_acl_access"), aclBefore);
}

// ---------------------------------------------------------------------------------------------
// Leftovers of a save that was killed half-way.

TEST_F(ReliableFileTest, ASaveKilledHalfWayLeavesATemporaryFileTheNextSaveRemoves)
{
    WriteBytes(path, OldContent);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecordingSteps steps;
        steps.before = [](const std::string &call) {
            if (call == "write")
                raise(SIGKILL);
        };
        ReplaceFileAtomically(path, NewContent, steps);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(NamesIn(folder.path()).size(), 2U) << "the killed save left no temporary file";
    EXPECT_EQ(ReadBytes(path), OldContent);

    ASSERT_TRUE(RealFileSystem().Replace(path, NewContent));
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
}

TEST_F(ReliableFileTest, TheCleanUpLeavesLockedAndForeignFilesAlone)
{
    WriteBytes(path, OldContent);
    const std::string stale = folder.file(".dmclient.ini.vezaz-AbC123");
    const std::string busy = folder.file(".dmclient.ini.vezaz-XyZ789");
    const std::vector<std::string> foreign = {".dmclient.ini.AbC123",
                                              ".dmclient.ini.vezaz-toolong",
                                              ".other.ini.vezaz-AbC123",
                                              "dmclient.ini.vezaz-AbC123"};
    for (const auto &name : foreign)
        WriteBytes(folder.file(name), "not ours");
    WriteBytes(stale, "half");
    WriteBytes(busy, "being written");
    // Another save, in this process or another, still writing: flock() locks belong to the
    // open file, so this one holds against the clean-up's own open.
    const int held = open(busy.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    ASSERT_TRUE(RealFileSystem().Replace(path, NewContent));
    close(held);

    EXPECT_FALSE(fs::exists(stale));
    EXPECT_EQ(ReadBytes(busy), "being written");
    for (const auto &name : foreign)
        EXPECT_EQ(ReadBytes(folder.file(name)), "not ours") << name;
}

// ---------------------------------------------------------------------------------------------
// A folder that refuses new files, with a file in it that may be written.

TEST_F(ReliableFileTest, AFolderRefusingTheTemporaryFileGetsTheFileRewrittenInPlace)
{
    for (const std::string &before : {OldContent, NewContent + NewContent}) {
        SCOPED_TRACE(before.size());
        WriteBytes(path, before);
        struct stat original;
        ASSERT_EQ(stat(path.c_str(), &original), 0);
        // The first step, creating the temporary file, is refused as by a read-only folder.
        FailingFileSteps refusing(1, 7, EACCES);
        ASSERT_TRUE(ReplaceFileAtomically(path, NewContent, refusing));
        EXPECT_EQ(ReadBytes(path), NewContent) << "written over and cut to the new length";
        struct stat info;
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_ino, original.st_ino) << "not replaced";
        EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"dmclient.ini"});
    }
}

TEST_F(ReliableFileTest, OnlyAnExistingFileIsRewrittenInPlace)
{
    FailingFileSteps refusing(1, 7, EACCES);
    EXPECT_FALSE(ReplaceFileAtomically(path, NewContent, refusing));
    EXPECT_FALSE(fs::exists(path));

    WriteBytes(path, OldContent);
    FailingFileSteps otherFailure(1, 7, EIO);
    EXPECT_FALSE(ReplaceFileAtomically(path, NewContent, otherFailure));
    EXPECT_EQ(ReadBytes(path), OldContent);
}

// ---------------------------------------------------------------------------------------------
// The atomic writer's order, modes and targets.

TEST_F(ReliableFileTest, TheTemporaryFileIsSyncedAfterItsLastWriteAndBeforeTheRename)
{
    WriteBytes(path, OldContent);
    RecordingSteps steps;
    ASSERT_TRUE(ReplaceFileAtomically(path, NewContent, steps));
    const auto &calls = steps.calls;
    const auto lastWrite = std::find(calls.rbegin(), calls.rend(), "write").base();
    const auto rename = std::find(calls.begin(), calls.end(), "rename");
    ASSERT_NE(lastWrite, calls.begin());
    ASSERT_NE(rename, calls.end());
    EXPECT_LT(lastWrite, rename);
    EXPECT_NE(std::find(lastWrite, rename, "sync"), rename)
        << "no sync between the last write and the rename";
}

TEST_F(ReliableFileTest, ANewFileGetsReadWriteForItsOwnerAndReadForOthersLessTheUmask)
{
    const struct
    {
        mode_t umask;
        mode_t mode;
    } cases[] = {{000, 0644}, {002, 0644}, {022, 0644}, {077, 0600}};
    for (const auto &entry : cases) {
        SCOPED_TRACE(testing::Message() << "umask " << std::oct << entry.umask);
        fs::remove(path);
        const mode_t previous = umask(entry.umask);
        const bool replaced = RealFileSystem().Replace(path, NewContent);
        umask(previous);
        ASSERT_TRUE(replaced);
        struct stat info;
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, entry.mode);
    }
}

TEST_F(ReliableFileTest, ReplaceItselfRefusesAFifoAndASocket)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_FALSE(RealFileSystem().Replace(path, NewContent));
    EXPECT_TRUE(fs::is_fifo(path));

    const std::string socketPath = folder.file("socket.ini");
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    EXPECT_FALSE(RealFileSystem().Replace(socketPath, NewContent));
    EXPECT_TRUE(fs::is_socket(socketPath));
    close(listener);
    EXPECT_EQ(NamesIn(folder.path()), (std::vector<std::string>{"dmclient.ini", "socket.ini"}));
}

} // namespace
