#pragma once

class QMouseEvent;
class QWidget;

// Tells a widget's left-button click from its double-click the way the desktop's standard
// controls do: a press and a release inside the widget is a click; the second press of a
// double-click is the double-click alone, so its release is no second click.
class ClickTracker
{
public:
    void press(const QMouseEvent *event);
    // True when this release completes a click.
    bool release(const QMouseEvent *event, const QWidget *widget);
    // True when the event is a left double-click.
    bool doubleClick(const QMouseEvent *event);

private:
    bool m_pressed = false;
};
