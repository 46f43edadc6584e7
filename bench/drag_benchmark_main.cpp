// The window page's drag benchmark: a rectangle of the screen preview dragged a thousand steps
// in the real main window over a realistic client file, shown off screen, with the time per
// step against its target at the end.

#include "AppFont.h"
#include "BenchSeams.h"
#include "DragBenchmark.h"
#include "HintPause.h"
#include "MainForm.h"
#include "MedianReport.h"
#include "SampleFolder.h"
#include "WindowPage.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr std::size_t SampleBytes = 30 * 1024;
constexpr double TargetMillisecondsPerStep = 0.5;

// Shows the main window on its window page, as a user about to drag would see it.
bool ShowWindowPage(TDMini1 &window)
{
    auto *pages = window.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    auto *page = window.findChild<WindowPage *>(QStringLiteral("WindowTabSheet"));
    if (!pages || !page)
        return false;
    pages->setCurrentWidget(page);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

void PrintTarget(const MedianReport &report)
{
    std::cout << "\nMedian real time per step (target: at most " << TargetMillisecondsPerStep
              << " ms)\n";
    for (const char *operation : {DragOperation::Step, DragOperation::StepRepainted}) {
        const auto median = report.MedianMilliseconds(operation);
        char line[128];
        if (median)
            std::snprintf(line,
                          sizeof line,
                          "%-24s %9.4f ms   %s\n",
                          operation,
                          *median,
                          *median <= TargetMillisecondsPerStep ? "holds" : "MISSED");
        else
            std::snprintf(line, sizeof line, "%-24s    failed\n", operation);
        std::cout << line;
    }
}

} // namespace

int main(int argc, char **argv)
{
    // No display is needed, and none of a compositor's timing gets into the figures.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    SetHintHidePause(10000);
    ApplyProgramFont();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return EXIT_FAILURE;
    const SampleFolder folder;
    if (folder.path().empty() || WriteSampleClientIni(folder.path(), SampleBytes).empty()) {
        std::cerr << "Could not write the sample client file\n";
        return EXIT_FAILURE;
    }
    TDMini1 window(SeamsOverFolder((folder.path() / "").string()));
    if (!ShowWindowPage(window)) {
        std::cerr << "Could not show the main window on its window page\n";
        return EXIT_FAILURE;
    }
    RegisterDragBenchmarks(window);
    MedianReport report(ConsoleOptionsForStdout());
    benchmark::RunSpecifiedBenchmarks(&report);
    PrintTarget(report);
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
