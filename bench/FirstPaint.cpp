#include "FirstPaint.h"

#include <cstdio>

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget &window, const FirstPaintClock &clock)
        : QObject(&window)
        , m_clock(clock)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // Quitting is itself an event: the paint under way completes first.
            QCoreApplication::quit();
            std::printf("first paint after %.1f ms\n", m_clock.ElapsedMilliseconds());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const FirstPaintClock &m_clock;
    bool m_painted = false;
};

} // namespace

void QuitOnFirstPaint(QWidget &window, const FirstPaintClock &clock)
{
    new FirstPaintWatch(window, clock);
}
