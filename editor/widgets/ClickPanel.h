#pragma once

#include "ClickTracker.h"

#include <QFrame>

// A plain panel (a colour swatch, for instance) that reports left clicks and double-clicks. A
// double-click first delivers the click of its first press, then the double-click.
class ClickPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ClickPanel(QWidget *parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    ClickTracker m_tracker;
};
