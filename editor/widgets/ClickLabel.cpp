#include "ClickLabel.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{}

QRect ClickLabel::captionRect() const
{
    if (!m_captionOnly)
        return rect();
    // Measured when asked rather than fitted when shown: fifty captions measured at start-up
    // cost more than all the clicks a player makes.
    const int captionRight
        = contentsRect().left() + indent() + margin() + fontMetrics().horizontalAdvance(text());
    return {0, 0, std::min(captionRight, width()), height()};
}

bool ClickLabel::OnCaption(const QMouseEvent *event) const
{
    return captionRect().contains(event->position().toPoint());
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (!OnCaption(event)) {
        event->ignore();
        return;
    }
    m_tracker.press(event);
    QLabel::mousePressEvent(event);
    // Keep the press, so the release comes back here rather than to the parent.
    if (event->button() == Qt::LeftButton)
        event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_tracker.release(event, this) && OnCaption(event);
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!OnCaption(event)) {
        event->ignore();
        return;
    }
    if (m_tracker.doubleClick(event))
        emit doubleClicked();
    else
        QLabel::mouseDoubleClickEvent(event);
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}
