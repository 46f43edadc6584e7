// vezaz_screenshots FOLDER [FILE]
//
// Opens the editor's real main window off screen, over FILE or over the client file the
// program itself would find, and saves a picture of the whole window with each page shown as
// FOLDER/screenshot-<page>.png (text-colors, window-page, models, display, misc, keymaps), the
// names the documentation uses. For example, from the build folder:
//
//     tools/screenshots/vezaz_screenshots ../docs ../tests/data/realistic_client.ini
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise; exit code 0 when
// every picture was saved, 1 when one could not be, 2 on a wrong command line.
#include "AppFont.h"
#include "MainForm.h"
#include "Seams.h"

#include <iostream>
#include <optional>
#include <string>

#include <QApplication>
#include <QDir>
#include <QTabWidget>

namespace {

// The documentation's name of each page, by the page's object name.
QString PictureName(const QString &page)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("TextTabSheet"), QStringLiteral("text-colors")},
        {QStringLiteral("WindowTabSheet"), QStringLiteral("window-page")},
        {QStringLiteral("ModelTabSheet"), QStringLiteral("models")},
        {QStringLiteral("DisplayTabSheet"), QStringLiteral("display")},
        {QStringLiteral("MiscTabSheet"), QStringLiteral("misc")},
        {QStringLiteral("KeysTabSheet"), QStringLiteral("keymaps")},
    };
    return QStringLiteral("screenshot-%1.png").arg(names.value(page, page));
}

// Shows each page in turn, as a click on its tab does, and saves the window; false when a
// picture could not be written.
bool SaveEveryPage(TDMini1 &window, const QDir &folder)
{
    auto *pages = window.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    if (!pages) {
        std::cerr << "the window has no pages\n";
        return false;
    }
    bool saved = true;
    for (int index = 0; index < pages->count(); ++index) {
        pages->setCurrentIndex(index);
        QApplication::processEvents();
        const QString path = folder.filePath(PictureName(pages->widget(index)->objectName()));
        if (!window.grab().save(path)) {
            std::cerr << "could not write " << path.toStdString() << '\n';
            saved = false;
        }
    }
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: vezaz_screenshots FOLDER [FILE]\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    ApplyProgramFont();

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::cerr << "could not make the folder " << argv[1] << '\n';
        return 1;
    }
    const std::optional<std::string> clientFile
        = argc == 3 ? std::optional<std::string>(argv[2]) : std::nullopt;
    TDMini1 window(DefaultSeams(), clientFile);
    window.show();
    QApplication::processEvents();
    return SaveEveryPage(window, folder) ? 0 : 1;
}
