// The memory of the settings history: steps of one edit each pushed into the history the window
// keeps, with the heap in use measured before and after. Past its limit of steps the history
// drops the oldest, so its memory stops growing there.

#include "EditHistory.h"
#include "SampleClientFiles.h"
#include "sections/SettingCatalogue.h"

#include <cstdlib>
#include <malloc.h>
#include <string>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QUndoStack>

namespace {

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// One player's edit: a number on one of the pages, each step a different setting, as a
// session of clicks and typing leaves them. The id of the setting changed.
const std::string &EditOneSetting(ClientSettings &records, int step)
{
    const auto catalogue = SettingCatalogue();
    const Setting &setting = catalogue[static_cast<std::size_t>(step) % catalogue.size()];
    const std::string current = SettingText(records, setting);
    const std::string other
        = current == setting.defaultText ? std::to_string(setting.minimum) : setting.defaultText;
    (void) SetSettingText(records, setting, other);
    return setting.id;
}

void HistoryMemory(benchmark::State &state)
{
    const int steps = static_cast<int>(state.range(0));
    std::size_t grown = 0;
    for (auto _ : state) {
        (void) SettingCatalogue(); // built once per program, not per step
        ClientSettings records = SampleSettings(0);
        EditHistory history(records, [](const std::vector<std::string> &) {});
        const std::size_t before = HeapInUse();
        for (int step = 0; step < steps; ++step) {
            history.Recorded({EditOneSetting(records, step)});
            history.EndGesture();
        }
        grown = HeapInUse() - before;
        state.counters["steps_kept"] = history.stack().count();
    }
    state.counters["heap_MiB"] = static_cast<double>(grown) / (1024.0 * 1024.0);
    state.counters["bytes_per_step_kept"]
        = static_cast<double>(grown) / static_cast<double>(std::min(steps, EditHistory::StepLimit));
    state.counters["records_bytes"] = sizeof(ClientSettings);
}

} // namespace

BENCHMARK(HistoryMemory)
    ->Arg(1)
    ->Arg(100)
    ->Arg(EditHistory::StepLimit)
    ->Arg(5 * EditHistory::StepLimit)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
