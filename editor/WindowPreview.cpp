#include "WindowPreview.h"

#include <QMouseEvent>

WindowPreview::WindowPreview(QWidget *parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    // The caption is clipped by a small preview, never the reason for a larger one.
    setMinimumSize(0, 0);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setAutoFillBackground(true);
}

void WindowPreview::mousePressEvent(QMouseEvent *event)
{
    // Accepting keeps the following movements and the release with this preview.
    event->accept();
    emit pressed(event->position().toPoint());
}

void WindowPreview::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit moved(mapToParent(event->position().toPoint()), event->buttons());
}

void WindowPreview::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click has already come as a press; this adds the double-click.
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
