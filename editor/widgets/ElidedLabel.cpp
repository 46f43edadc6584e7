#include "ElidedLabel.h"

#include <QPainter>
#include <QStyle>

void ElidedLabel::paintEvent(QPaintEvent *event)
{
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (fontMetrics().horizontalAdvance(text()) <= area.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter,
                          area,
                          QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(),
                          isEnabled(),
                          shown,
                          foregroundRole());
}
