#pragma once

#include "MainForm.h"
#include "Seams.h"
#include "TempFolder.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QString>
#include <QUrl>
#include <QWidget>

// A real main window over a client file in a fresh temporary folder, with the seams that tests
// cannot drive replaced: no registry key, the executable's folder is the temporary folder (so
// the client file is <folder>/dmclient.ini), and the colour dialog, the link opener and the
// version block answer from the fields below.
class MainWindowFixture : public ::testing::Test
{
protected:
    ~MainWindowFixture() override;

    // Writes these bytes as the client file, then opens and shows the window on it.
    void StartWithFile(const std::string &bytes);
    // Opens and shows the window over a folder with no client file.
    void StartWithoutFile();

    TDMini1 &window() { return *m_window; }
    // The path the window is expected to use.
    std::string iniPath() const { return folder.file("dmclient.ini"); }
    // Exact bytes of the client file as it is now.
    std::string fileBytes() const;

    // The child of the window with this objectName and type; nullptr (and a test failure) when
    // there is none.
    template<typename T>
    T *find(const QString &name)
    {
        T *child = m_window->findChild<T *>(name);
        if (!child)
            ADD_FAILURE() << "no child named " << name.toStdString();
        return child;
    }
    // The text of status panel 0 or 1.
    QString statusText(int panel);
    // Clicks a toolbar button with the mouse.
    void clickToolButton(const QString &name);
    // Triggers a menu command.
    void triggerAction(const QString &name);

    TempFolder folder;
    // Answers of the colour dialog, taken front first; nullopt stands for Cancel.
    std::deque<std::optional<RgbColor>> colorAnswers;
    // The starting colour of every colour dialog opened, in order.
    std::vector<RgbColor> colorRequests;
    // Every link opened, in order.
    std::vector<QUrl> openedUrls;
    // What the program's version block reads as; none by default.
    std::optional<VersionBlock> versionBlock;
    // Answers to "<file> was changed by another program since it was loaded.", taken front
    // first, and the file names it was asked with.
    std::deque<ChangedFileAnswer> changedFileAnswers;
    std::vector<QString> changedFileQuestions;
    // The FILE of the command line, when the test gives one.
    std::optional<std::string> clientFileArgument;
    // Answers to "Save changes to … before …?", front first; Discard when none is queued.
    std::deque<UnsavedAnswer> unsavedAnswers;
    // The answer to every yes-or-no question (also kept in questions).
    bool confirmAnswer = true;
    // Every such question asked, in order.
    std::vector<QString> questions;
    // Answers of the open and save dialogs, front first; empty stands for Cancel.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    // How many times the save dialog opened.
    int saveDialogs = 0;
    // The file remembered between runs.
    std::optional<std::string> rememberedFile;
    // The executable's folder, when not the temporary folder.
    std::optional<std::string> executableFolder;
    // The search of the Wine prefixes; none (the registry's way) when empty.
    std::function<PrefixSearch()> searchWinePrefixes;

private:
    void Start();
    Seams TestSeams();

    std::unique_ptr<TDMini1> m_window;
};
