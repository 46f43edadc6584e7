#include "FixedDialog.h"

#include <QScreen>
#include <QShowEvent>

FixedDialog::FixedDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
}

void FixedDialog::FixClientSize(QSize size)
{
    setFixedSize(size);
}

void FixedDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        // move() places the frame, so the frame is what gets centred, as far as it is known.
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
