#pragma once

#include <QLabel>

// A one-line label that draws a text too long for it with "…" in the middle, so both the start
// and the end of a path stay readable; text() stays the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
