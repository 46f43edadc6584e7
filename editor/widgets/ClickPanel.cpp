#include "ClickPanel.h"

#include <QMouseEvent>

ClickPanel::ClickPanel(QWidget *parent)
    : QFrame(parent)
{}

void ClickPanel::mousePressEvent(QMouseEvent *event)
{
    m_tracker.press(event);
    QFrame::mousePressEvent(event);
    // Keep the press, so the release comes back here rather than to the parent.
    if (event->button() == Qt::LeftButton)
        event->accept();
}

void ClickPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_tracker.release(event, this);
    QFrame::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void ClickPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_tracker.doubleClick(event))
        emit doubleClicked();
    else
        QFrame::mouseDoubleClickEvent(event);
}
