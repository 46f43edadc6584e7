#pragma once

#include <chrono>

class QWidget;

// The time from its creation, at the start of main().
class FirstPaintClock
{
public:
    double ElapsedMilliseconds() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// Once the window has painted for the first time, prints "first paint after N ms" by the clock
// and ends the event loop. The clock must outlive the window.
void QuitOnFirstPaint(QWidget &window, const FirstPaintClock &clock);
