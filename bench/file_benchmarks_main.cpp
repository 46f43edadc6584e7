// The client file benchmarks: our whole-file load and saves on generated files of three sizes,
// timed beside the least any load or save has to pay, with the ratios printed at the end.

#include "FileBenchmarks.h"
#include "MedianReport.h"
#include "SampleClientFiles.h"
#include "SampleFolder.h"
#include "TargetReport.h"
#include "ini/FileStamp.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include <benchmark/benchmark.h>

namespace {

struct SampleSize
{
    const char *label;
    std::size_t bytes;
};

constexpr SampleSize SampleSizes[] = {
    {"30KB", 30 * 1024},
    {"300KB", 300 * 1024},
    {"3MB", 3 * 1024 * 1024},
};

std::vector<SampleFile> WriteSamples(const SampleFolder &folder)
{
    std::vector<SampleFile> samples;
    for (const auto &size : SampleSizes) {
        const std::string path = (folder.path() / (std::string(size.label) + ".ini")).string();
        const std::size_t bytes = WriteSampleClientFile(path, size.bytes, SampleSettings(0));
        if (bytes == 0)
            return {};
        samples.push_back({size.label, path, bytes});
    }
    return samples;
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return EXIT_FAILURE;
    const SampleFolder folder;
    const auto samples = folder.path().empty() ? std::vector<SampleFile>() : WriteSamples(folder);
    if (samples.empty()) {
        std::cerr << "Could not write the sample client files under "
                  << std::filesystem::temp_directory_path() << '\n';
        return EXIT_FAILURE;
    }
    // A player's file was written well before the editor opens it; the samples were just now.
    std::this_thread::sleep_for(FileSettleTime + std::chrono::milliseconds(100));
    RegisterFileBenchmarks(samples);
    MedianReport report(ConsoleOptionsForStdout());
    benchmark::RunSpecifiedBenchmarks(&report);
    PrintTargets(std::cout, report, samples);
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
