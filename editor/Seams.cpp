#include "Seams.h"

#include "ProgramVersion.h"

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>

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

ChangedFileAnswer AskWithMessageBox(const QString &fileName)
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

} // namespace

Seams DefaultSeams()
{
    return {
        PickColorWithQtDialog,
        [](const QUrl &url) { QDesktopServices::openUrl(url); },
        ReadOwnVersionBlock,
        DefaultPlatformProbe(),
        AskWithMessageBox,
    };
}
