#include "MainWindowFixture.h"

#include <filesystem>
#include <system_error>

#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace {

QString TakeFront(std::deque<QString> &answers)
{
    if (answers.empty())
        return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::StartWithFile(const std::string &bytes)
{
    WriteBytes(iniPath(), bytes);
    Start();
}

void MainWindowFixture::StartWithoutFile()
{
    Start();
}

void MainWindowFixture::Start()
{
    m_window = std::make_unique<TDMini1>(TestSeams(), clientFileArgument);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
}

Seams MainWindowFixture::TestSeams()
{
    Seams seams;
    seams.pickColor = [this](RgbColor initial) -> std::optional<RgbColor> {
        colorRequests.push_back(initial);
        if (colorAnswers.empty()) {
            ADD_FAILURE() << "the colour dialog opened with no answer queued";
            return std::nullopt;
        }
        const auto answer = colorAnswers.front();
        colorAnswers.pop_front();
        return answer;
    };
    seams.openUrl = [this](const QUrl &url) { openedUrls.push_back(url); };
    seams.readVersionBlock = [this] { return versionBlock; };
    seams.platform.readAppPathValue = [] { return std::optional<std::string>(); };
    seams.platform.isRegularFile = [](const std::string &path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    };
    seams.platform.executableFolder
        = [this] { return executableFolder.value_or((folder.path() / "").string()); };
    seams.platform.searchWinePrefixes = searchWinePrefixes;
    seams.askAboutUnsavedChanges = [this](const QString &question) {
        questions.push_back(question);
        if (unsavedAnswers.empty())
            return UnsavedAnswer::Discard;
        const UnsavedAnswer answer = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return answer;
    };
    seams.confirm = [this](const QString &question) {
        questions.push_back(question);
        return confirmAnswer;
    };
    seams.chooseFileToOpen = [this](const QString &) { return TakeFront(openAnswers); };
    seams.chooseFileToSave = [this](const QString &) {
        ++saveDialogs;
        return TakeFront(saveAnswers);
    };
    seams.rememberedFile = [this] { return rememberedFile; };
    seams.rememberFile = [this](const std::string &path) { rememberedFile = path; };
    seams.askAboutChangedFile = [this](const QString &fileName) {
        changedFileQuestions.push_back(fileName);
        if (changedFileAnswers.empty()) {
            ADD_FAILURE() << "asked about a changed file with no answer queued";
            return ChangedFileAnswer::Cancel;
        }
        const auto answer = changedFileAnswers.front();
        changedFileAnswers.pop_front();
        return answer;
    };
    return seams;
}

std::string MainWindowFixture::fileBytes() const
{
    return ReadBytes(iniPath());
}

QString MainWindowFixture::statusText(int panel)
{
    auto *label = find<QLabel>(QStringLiteral("StatusPanel%1").arg(panel));
    return label ? label->text() : QString();
}

void MainWindowFixture::clickToolButton(const QString &name)
{
    if (auto *button = find<QToolButton>(name))
        QTest::mouseClick(button, Qt::LeftButton);
}

void MainWindowFixture::triggerAction(const QString &name)
{
    if (auto *action = find<QAction>(name))
        action->trigger();
}
