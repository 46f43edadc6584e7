#include "DragBenchmark.h"

#include "MainForm.h"
#include "WindowPreview.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace {

// The Chat window's rectangle, the one a player drags most.
const QString DraggedPreview = QStringLiteral("Win6");

// Pointer positions in the preview area's pixels, one per step, tracing a Lissajous figure over
// the whole range in which the rectangle stays inside the area, so nearly every step moves it
// and the page's bounds never push it back. grip is where the rectangle was pressed.
std::vector<QPoint> PointerPath(const WindowPreview &preview, QPoint grip)
{
    const QSize area = preview.parentWidget()->size();
    const int freeWidth = std::max(area.width() - preview.width() - 1, 0);
    const int freeHeight = std::max(area.height() - preview.height() - 1, 0);
    std::vector<QPoint> path;
    path.reserve(DragSteps);
    for (int step = 0; step < DragSteps; ++step) {
        const double turn = 2 * std::numbers::pi * step / DragSteps;
        const double across = 0.5 + 0.5 * std::sin(5 * turn);
        const double down = 0.5 + 0.5 * std::sin(4 * turn);
        const QPoint topLeft(1 + static_cast<int>(std::lround(freeWidth * across)),
                             1 + static_cast<int>(std::lround(freeHeight * down)));
        path.push_back(topLeft + grip);
    }
    return path;
}

// Moves the pointer, with the left button held, to target in the preview area's pixels, the
// way the window system reports a movement to the widget that has the mouse.
void MovePointer(WindowPreview &preview, QPoint target)
{
    const QPoint local = target - preview.pos();
    QMouseEvent event(
        QEvent::MouseMove, local, preview.mapToGlobal(local), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&preview, &event);
}

// One drag of DragSteps steps from press to release; the press and the release are not timed.
void Drag(benchmark::State &state, TDMini1 *window, bool repaint)
{
    auto *preview = window->findChild<WindowPreview *>(DraggedPreview);
    if (!preview) {
        state.SkipWithError("the window page has no preview named Win6");
        return;
    }
    const QPoint grip = preview->rect().center();
    const auto path = PointerPath(*preview, grip);
    QTest::mousePress(preview, Qt::LeftButton, {}, grip);
    std::size_t step = 0;
    for (auto _ : state) {
        MovePointer(*preview, path[step]);
        if (repaint)
            QApplication::processEvents();
        step = (step + 1) % path.size();
    }
    const QPoint last = path[(step + path.size() - 1) % path.size()];
    QTest::mouseRelease(preview, Qt::LeftButton, {}, last - preview->pos());
    // The fields store game pixels, truncated, and the rectangle is laid out from them, truncated
    // again: it may end a pixel short of the pointer on either axis.
    const QPoint shortBy = last - grip - preview->pos();
    if (shortBy.x() < 0 || shortBy.x() > 1 || shortBy.y() < 0 || shortBy.y() > 1)
        state.SkipWithError("the rectangle did not follow the pointer");
}

} // namespace

void RegisterDragBenchmarks(TDMini1 &window)
{
    benchmark::RegisterBenchmark(DragOperation::Step, Drag, &window, false)
        ->Iterations(DragSteps)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(DragOperation::StepRepainted, Drag, &window, true)
        ->Iterations(DragSteps)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}
