#include "Seams.h"

#include "ProgramVersion.h"

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QDesktopServices>

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

} // namespace

Seams DefaultSeams()
{
    return {
        PickColorWithQtDialog,
        [](const QUrl &url) { QDesktopServices::openUrl(url); },
        ReadOwnVersionBlock,
        DefaultPlatformProbe(),
    };
}
