#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Draws a frame around whichever watched widget has the keyboard focus, for controls whose
// style shows no focus of its own (the colour sliders, the text colour labels). A click does not
// show it: the pointer already tells where the player is. One frame, made when first needed,
// moves from widget to widget.
class FocusRing : public QObject
{
public:
    explicit FocusRing(QObject *parent = nullptr);

    void Watch(QWidget *widget);
    // The frame while it is shown, else nullptr.
    QWidget *frame() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowAround(QWidget *widget);
    void FollowFocused();

    QPointer<QWidget> m_frame;
    QPointer<QWidget> m_focused;
};
