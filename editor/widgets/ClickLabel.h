#pragma once

#include "ClickTracker.h"

#include <QLabel>

// A label that reports left clicks and double-clicks. A double-click first delivers the click of
// its first press, then the double-click. Given the focus, it takes Space and Enter as a click.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(QWidget *parent = nullptr);

    // Only the words of a left-aligned, one-line caption take clicks; the empty rest of the box
    // belongs to what lies beneath.
    void setClicksOnCaptionOnly(bool only) { m_captionOnly = only; }
    // The part of the label that takes clicks, in its own coordinates.
    QRect captionRect() const;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool OnCaption(const QMouseEvent *event) const;

    ClickTracker m_tracker;
    bool m_captionOnly = false;
};
