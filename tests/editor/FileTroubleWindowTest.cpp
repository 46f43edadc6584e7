// The window over a file it could not read, and over one another program changed since it
// was loaded.

#include "MainWindowFixture.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const std::string OurFile = "[Defaults]\r\nChatFontSize=4\r\n";
const std::string GameFile = "[Defaults]\r\nChatFontSize=6\r\nGamma=3\r\n[Game]\r\nOwn=1\r\n";

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

class FileTroubleWindowTest : public MainWindowFixture
{
protected:
    // What the game does: a new file renamed over the old one.
    void ReplaceAsTheGame()
    {
        WriteBytes(folder.file("game.tmp"), GameFile);
        ASSERT_EQ(std::rename(folder.file("game.tmp").c_str(), iniPath().c_str()), 0);
    }

    void Save() { clickToolButton("ToolButton2"); }
};

TEST_F(FileTroubleWindowTest, AFileThatCannotBeReadIsSaidSoAndNeverSavedOver)
{
    // Something that exists and cannot be read, even by root.
    fs::create_directory(iniPath());
    StartWithoutFile();
    EXPECT_EQ(statusText(1), "Unable to read " + Text(iniPath()));

    fs::remove(iniPath());
    WriteBytes(iniPath(), "");
    Save();
    EXPECT_EQ(statusText(1), "Unable to read " + Text(iniPath()));
    EXPECT_EQ(fileBytes(), "") << "saved although the file was never read";

    fs::remove(iniPath());
    fs::create_directory(iniPath());
    clickToolButton("ToolButton1");
    EXPECT_EQ(statusText(1), "Unable to read " + Text(iniPath())) << "a failed reload";

    fs::remove(iniPath());
    WriteBytes(iniPath(), OurFile);
    clickToolButton("ToolButton1");
    EXPECT_EQ(statusText(1), "Reloading " + Text(iniPath()));
    window().settings().Defaults.ChatFontSize = 9;
    Save();
    EXPECT_EQ(statusText(1), "Saving changes to " + Text(iniPath()));
    EXPECT_NE(fileBytes().find("ChatFontSize=9"), std::string::npos);
    EXPECT_TRUE(changedFileQuestions.empty());
}

TEST_F(FileTroubleWindowTest, ASaveOverAnotherProgramsChangesAsksFirstAndCancelKeepsThem)
{
    StartWithFile(OurFile);
    window().settings().Defaults.ChatFontSize = 9;
    ReplaceAsTheGame();
    changedFileAnswers = {ChangedFileAnswer::Cancel};

    Save();

    EXPECT_EQ(changedFileQuestions, std::vector<QString>{"dmclient.ini"});
    EXPECT_EQ(fileBytes(), GameFile);
    EXPECT_EQ(window().settings().Defaults.ChatFontSize, 9) << "the edit is kept";
}

TEST_F(FileTroubleWindowTest, SaveAnywayGivesOurValuesOverTheNewFileAndAsksNoMore)
{
    StartWithFile(OurFile);
    window().settings().Defaults.ChatFontSize = 9;
    ReplaceAsTheGame();
    changedFileAnswers = {ChangedFileAnswer::SaveAnyway};

    Save();

    EXPECT_EQ(statusText(1), "Saving changes to " + Text(iniPath()));
    const std::string saved = fileBytes();
    EXPECT_NE(saved.find("ChatFontSize=9\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Game]\r\nOwn=1\r\n"), std::string::npos) << "the game's own section";

    Save();
    EXPECT_EQ(changedFileQuestions.size(), 1U) << "our own save counted as another program's";
}

TEST_F(FileTroubleWindowTest, ReloadDropsTheEditsForTheNewFile)
{
    StartWithFile(OurFile);
    window().settings().Defaults.ChatFontSize = 9;
    ReplaceAsTheGame();
    changedFileAnswers = {ChangedFileAnswer::Reload};

    Save();

    EXPECT_EQ(fileBytes(), GameFile);
    EXPECT_EQ(window().settings().Defaults.ChatFontSize, 6);
    EXPECT_EQ(statusText(1), "Reloading " + Text(iniPath()));
}

TEST_F(FileTroubleWindowTest, AnUnchangedFileIsSavedWithoutAQuestion)
{
    StartWithFile(OurFile);
    // Touched and written again with the same bytes: no change of content.
    WriteBytes(iniPath(), OurFile);
    window().settings().Defaults.ChatFontSize = 9;
    Save();
    EXPECT_TRUE(changedFileQuestions.empty());
    EXPECT_NE(fileBytes().find("ChatFontSize=9"), std::string::npos);
}

} // namespace
