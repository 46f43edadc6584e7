#include "Seams.h"

#include "ProgramVersion.h"

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace {

std::optional<RgbColor> PickColorWithQtDialog(RgbColor initial)
{
    // Qt's own dialog always shows the custom colours and accepts any colour; some native
    // dialogs (GTK's) fold the custom part away, so the native one is not used.
    const QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue),
                                                 QApplication::activeWindow(),
                                                 QString(),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return RgbColor{static_cast<std::uint8_t>(chosen.red()),
                    static_cast<std::uint8_t>(chosen.green()),
                    static_cast<std::uint8_t>(chosen.blue())};
}

ChangedFileAnswer AskAboutChangedFileWithMessageBox(const QString &fileName)
{
    QMessageBox box(
        QMessageBox::Warning,
        QApplication::applicationName(),
        QStringLiteral("%1 was changed by another program since it was loaded.").arg(fileName),
        QMessageBox::NoButton,
        QApplication::activeWindow());
    QAbstractButton *reload = box.addButton(QStringLiteral("Reload"), QMessageBox::DestructiveRole);
    QAbstractButton *save = box.addButton(QStringLiteral("Save anyway"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    if (box.clickedButton() == reload)
        return ChangedFileAnswer::Reload;
    return box.clickedButton() == save ? ChangedFileAnswer::SaveAnyway : ChangedFileAnswer::Cancel;
}

UnsavedAnswer AskWithMessageBox(const QString &question)
{
    switch (QMessageBox::question(QApplication::activeWindow(),
                                  QApplication::applicationDisplayName(),
                                  question,
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return UnsavedAnswer::Save;
    case QMessageBox::Discard:
        return UnsavedAnswer::Discard;
    default:
        return UnsavedAnswer::Cancel;
    }
}

const QString ClientFileFilter
    = QStringLiteral("Client settings (dmclient.ini);;INI files (*.ini)");

QString ChooseFileToOpen(const QString &folder)
{
    return QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QStringLiteral("Open"), folder, ClientFileFilter);
}

QString ChooseFileToSave(const QString &suggested)
{
    return QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QStringLiteral("Save As"), suggested, ClientFileFilter);
}

// The only setting the editor keeps of its own.
const QString RememberedFileKey = QStringLiteral("ClientFile");

std::optional<std::string> ReadRememberedFile()
{
    const QString path = QSettings().value(RememberedFileKey).toString();
    if (path.isEmpty())
        return std::nullopt;
    return path.toLocal8Bit().toStdString();
}

void RememberFile(const std::string &path)
{
    QSettings().setValue(RememberedFileKey, QString::fromLocal8Bit(path));
}

} // namespace

bool ConfirmWithMessageBox(const QString &question)
{
    return QMessageBox::question(QApplication::activeWindow(),
                                 QApplication::applicationDisplayName(),
                                 question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}

Seams DefaultSeams()
{
    return {
        PickColorWithQtDialog,
        [](const QUrl &url) { QDesktopServices::openUrl(url); },
        ReadOwnVersionBlock,
        DefaultPlatformProbe(),
        AskAboutChangedFileWithMessageBox,
        AskWithMessageBox,
        ChooseFileToOpen,
        ChooseFileToSave,
        ReadRememberedFile,
        RememberFile,
        ConfirmWithMessageBox,
    };
}
