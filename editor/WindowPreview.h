#pragma once

#include <QLabel>

// One game window's rectangle in the scaled screen preview: a small raised panel with its
// caption centred. It reports presses of any button, movements (which keep coming to it while a
// button is held, also outside it) and left double-clicks; the page decides what they do.
class WindowPreview : public QLabel
{
    Q_OBJECT

public:
    explicit WindowPreview(QWidget *parent = nullptr);

signals:
    // A button went down at pos, in the preview's own pixels.
    void pressed(QPoint pos);
    // The pointer moved to pos, in the pixels of the preview's parent, with these buttons held.
    void moved(QPoint pos, Qt::MouseButtons buttons);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
