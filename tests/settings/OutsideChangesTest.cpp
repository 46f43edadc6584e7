// Another program at the client file: replacing it between a load and a save, rewriting it
// during a save, or making its read fail. The change is seen, and never half-merged.

#include "ClientFile.h"
#include "FailingFileSteps.h"
#include "TempFolder.h"
#include "ini/AtomicFile.h"
#include "ini/FileStamp.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The real steps, with hooks run before each opening of a file for reading and before each look
// at a file's metadata by its path, which count them.
class HookSteps : public FailingFileSteps
{
public:
    using Hook = std::function<void(int count)>;
    explicit HookSteps(
        Hook opening, Hook look = [](int) {})
        : FailingFileSteps(0)
        , m_opening(std::move(opening))
        , m_look(std::move(look))
    {}

    int openings() const { return m_openings; }
    int looks() const { return m_looks; }

    int OpenForReading(const std::string &path) override
    {
        m_opening(++m_openings);
        return FailingFileSteps::OpenForReading(path);
    }
    bool StatPath(const std::string &path, struct stat &info) override
    {
        m_look(++m_looks);
        return FailingFileSteps::StatPath(path, info);
    }

private:
    Hook m_opening;
    Hook m_look;
    int m_openings = 0;
    int m_looks = 0;
};

class OutsideChangesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        original = TestData("realistic_client.ini");
        WriteBytes(path, original);
        ASSERT_EQ(LoadAllSections(path, settings, loaded), std::nullopt);
        settings.Defaults.VideoMode = 4;
    }

    // What the game does: a new file renamed over the old one.
    void ReplaceAsAnotherProgram(const std::string &bytes)
    {
        WriteBytes(folder.file("game.tmp"), bytes);
        ASSERT_EQ(std::rename(folder.file("game.tmp").c_str(), path.c_str()), 0);
    }

    TempFolder folder;
    std::string path = folder.file("dmclient.ini");
    std::string original;
    ClientSettings settings;
    FileStamp loaded;
};

TEST_F(OutsideChangesTest, OnlyOtherBytesCountAsAChange)
{
    EXPECT_FALSE(ClientFileChangedSince(path, loaded));
    // Touched, or written again with the same bytes: the metadata moves, the content does not.
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), nullptr, 0), 0);
    ReplaceAsAnotherProgram(original);
    EXPECT_FALSE(ClientFileChangedSince(path, loaded));

    std::string sameSize = original;
    sameSize[sameSize.find('=') + 1] ^= 1;
    ReplaceAsAnotherProgram(sameSize);
    EXPECT_TRUE(ClientFileChangedSince(path, loaded));

    fs::remove(path);
    EXPECT_TRUE(ClientFileChangedSince(path, loaded)) << "removed";
}

TEST_F(OutsideChangesTest, AFileCreatedAfterALoadOfNoneIsAChange)
{
    fs::remove(path);
    ASSERT_EQ(LoadAllSections(path, settings, loaded), std::nullopt);
    EXPECT_FALSE(ClientFileChangedSince(path, loaded));
    WriteBytes(path, "[Defaults]\r\n");
    EXPECT_TRUE(ClientFileChangedSince(path, loaded));
}

TEST_F(OutsideChangesTest, OurOwnSaveIsNoChange)
{
    FileStamp saved = loaded;
    ASSERT_EQ(SaveAllSections(path, settings, saved), std::nullopt);
    EXPECT_TRUE(ClientFileChangedSince(path, loaded));
    EXPECT_FALSE(ClientFileChangedSince(path, saved));
}

TEST_F(OutsideChangesTest, ASaveThatWritesNothingStampsTheFileItLeft)
{
    ClientSettings unchanged;
    ASSERT_EQ(LoadAllSections(path, unchanged, loaded), std::nullopt);
    FileStamp saved;
    ASSERT_EQ(SaveAllSections(path, unchanged, saved), std::nullopt);
    ASSERT_EQ(ReadBytes(path), original);
    EXPECT_FALSE(ClientFileChangedSince(path, saved));

    std::string sameSize = original;
    sameSize[sameSize.find('=') + 1] ^= 1;
    ReplaceAsAnotherProgram(sameSize);
    EXPECT_TRUE(ClientFileChangedSince(path, saved));
}

// A save with nothing to write still reads the file once per section; a read failing at any step
// refuses it, so the caller never takes the file for saved, and nothing is written.
TEST_F(OutsideChangesTest, ASaveThatWritesNothingRefusesAFileItCouldNotRead)
{
    ClientSettings unchanged;
    ASSERT_EQ(LoadAllSections(path, unchanged, loaded), std::nullopt);
    constexpr std::size_t WholeReads = 1 << 20;
    FailingFileSteps counting(0, WholeReads);
    {
        const ScopedFileSteps steps(counting);
        ASSERT_EQ(SaveAllSections(path, unchanged), std::nullopt);
    }
    ASSERT_GE(counting.calls(), 6 * 3) << "fewer steps than six reads take";
    for (int failAt = 1; failAt <= counting.calls(); ++failAt) {
        SCOPED_TRACE(testing::Message() << "failing step " << failAt);
        FailingFileSteps failing(failAt, WholeReads);
        const ScopedFileSteps steps(failing);
        FileStamp saved = loaded;
        EXPECT_EQ(SaveAllSections(path, unchanged, saved), "Unable to write to " + path);
        EXPECT_EQ(ReadBytes(path), original);
    }
}

TEST_F(OutsideChangesTest, ASaveStoppedHalfWayIsOursUnlessItMetAnotherProgram)
{
    // Refused at the key maps, after the sections before them were written.
    settings.KeyMaps[5] = "a\nb";
    FileStamp saved = loaded;
    EXPECT_EQ(SaveAllSections(path, settings, saved), "Unable to write to " + path);
    ASSERT_NE(ReadBytes(path), original);
    EXPECT_FALSE(ClientFileChangedSince(path, saved)) << "our own half save taken for another's";

    HookSteps hook([&](int count) {
        if (count == 3)
            ReplaceAsAnotherProgram("[Defaults]\r\nVideoMode=1\r\n");
    });
    {
        const ScopedFileSteps steps(hook);
        EXPECT_EQ(SaveAllSections(path, settings, saved), "Unable to write to " + path);
    }
    EXPECT_TRUE(ClientFileChangedSince(path, saved));
}

// Each of the six section objects reads the file once; the first read is the one the others must
// match, so replacing it before any later one refuses the save.
TEST_F(OutsideChangesTest, AFileReplacedBetweenTheSectionsOfASaveIsNotMergedInto)
{
    const std::string game = "[Defaults]\r\nVideoMode=1\r\n; the game's own\r\n";
    for (int opening = 2; opening <= 6; ++opening) {
        SCOPED_TRACE(testing::Message() << "replaced before opening " << opening);
        WriteBytes(path, original);
        HookSteps hook([&](int count) {
            if (count == opening)
                ReplaceAsAnotherProgram(game);
        });
        const ScopedFileSteps steps(hook);
        EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);
        EXPECT_EQ(ReadBytes(path), game);
    }
}

TEST_F(OutsideChangesTest, AFileRewrittenInPlaceDuringASaveIsNeverHalfMerged)
{
    WriteBytes(path, original);
    HookSteps hook([&](int count) {
        if (count == 3) { // before the second section reads it
            std::FILE *file = std::fopen(path.c_str(), "ab");
            std::fputs("[Game]\r\nKey=1\r\n", file);
            std::fclose(file);
        }
    });
    const ScopedFileSteps steps(hook);
    EXPECT_EQ(SaveAllSections(path, settings), "Unable to write to " + path);
    EXPECT_NE(ReadBytes(path).find("[Game]\r\nKey=1\r\n"), std::string::npos);
}

// The first section's read stamps the file; a later one that finds other bytes fails the load,
// whichever section meets them, and the stamp still tells the file changed since that read.
TEST_F(OutsideChangesTest, AFileRewrittenBetweenTheSectionsOfALoadIsNeverHalfRead)
{
    for (const int opening : {2, 6}) {
        SCOPED_TRACE(testing::Message() << "rewritten before opening " << opening);
        WriteBytes(path, original);
        HookSteps hook([&](int count) {
            if (count == opening)
                ReplaceAsAnotherProgram(original + "[Game]\r\nKey=1\r\n");
        });
        const ScopedFileSteps steps(hook);
        ClientSettings read;
        EXPECT_EQ(LoadAllSections(path, read, loaded), "Unable to read " + path);
        EXPECT_EQ(loaded.outcome, FileRead::Outcome::Read);
        EXPECT_TRUE(ClientFileChangedSince(path, loaded));
    }
}

// A file at rest is read by the first section of a load or a save alone; each later one looks at
// its metadata instead. Another program's write before any of those looks still fails the load
// and refuses the save, which never merges into it.
TEST_F(OutsideChangesTest, ASettledFileIsReadOnceAndStillGuardedBetweenTheSections)
{
    const ScopedClockAdvance settled(std::chrono::hours(1));
    ClientSettings unchanged;
    {
        HookSteps counting([](int) {});
        const ScopedFileSteps steps(counting);
        ASSERT_EQ(LoadAllSections(path, unchanged), std::nullopt);
        ASSERT_EQ(SaveAllSections(path, unchanged), std::nullopt);
        EXPECT_EQ(counting.openings(), 2);
        EXPECT_EQ(counting.looks(), 2 * 5);
    }
    ClientSettings lastSectionChanged = unchanged;
    lastSectionChanged.UserColors[1].red ^= 1;
    const std::string game = original + "[Game]\r\nKey=1\r\n";
    for (int look = 1; look <= 5; ++look) {
        SCOPED_TRACE(testing::Message() << "rewritten before look " << look);
        {
            WriteBytes(path, original);
            HookSteps hook([](int) {},
                           [&](int count) {
                               if (count == look)
                                   ReplaceAsAnotherProgram(game);
                           });
            const ScopedFileSteps steps(hook);
            ClientSettings read;
            EXPECT_EQ(LoadAllSections(path, read), "Unable to read " + path);
        }
        WriteBytes(path, original);
        HookSteps hook([](int) {},
                       [&](int count) {
                           if (count == look) {
                               std::FILE *file = std::fopen(path.c_str(), "ab");
                               std::fputs("[Game]\r\nKey=1\r\n", file);
                               std::fclose(file);
                           }
                       });
        const ScopedFileSteps steps(hook);
        EXPECT_EQ(SaveAllSections(path, lastSectionChanged), "Unable to write to " + path);
        EXPECT_EQ(ReadBytes(path), game);
    }
}

// File times move in ticks: a file rewritten with as many bytes in the tick of its stamp keeps
// its metadata, and only its bytes show the change. The stamp here stands for such a read: the
// file's metadata, another file's bytes.
TEST_F(OutsideChangesTest, AFileRewrittenInTheTickOfItsStampIsAChange)
{
    FileStamp stamp = StampFile(path);
    ASSERT_FALSE(stamp.settled) << "the file was written a moment ago";
    stamp.hash ^= 1;
    EXPECT_TRUE(ClientFileChangedSince(path, stamp));

    // Long after the file's last change, a write cannot keep its change time.
    const ScopedClockAdvance later(std::chrono::hours(1));
    stamp = StampFile(path);
    ASSERT_TRUE(stamp.settled);
    stamp.hash ^= 1;
    EXPECT_FALSE(ClientFileChangedSince(path, stamp)) << "the metadata alone answers";
}

TEST_F(OutsideChangesTest, ALoadThatCannotReadTheFileSaysSoAndGivesDefaults)
{
    for (int failAt = 1; failAt <= 3; ++failAt) { // open, stat, read
        SCOPED_TRACE(failAt);
        FailingFileSteps failing(failAt);
        const ScopedFileSteps steps(failing);
        ClientSettings read;
        EXPECT_EQ(LoadAllSections(path, read, loaded), "Unable to read " + path);
        EXPECT_EQ(loaded.outcome, FileRead::Outcome::Failed);
    }
    fs::remove(path);
    ClientSettings none;
    EXPECT_EQ(LoadAllSections(path, none), std::nullopt) << "a missing file is no failure";
}

} // namespace
