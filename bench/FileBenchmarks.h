#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One generated client file the benchmarks run on.
struct SampleFile
{
    std::string label; // "30KB"
    std::string path;
    std::size_t bytes;
};

// What is timed, each on every sample file: our loads and saves, and the floors they are
// measured against. The samples are settled, as a player's file is when the editor opens it;
// the JustWritten ones take them for files written a moment ago, as after a save.
namespace FileOperation {
inline constexpr std::string_view SixReads = "Floor_SixReads";
inline constexpr std::string_view SixReadsAndParses = "Floor_SixReadsAndParses";
inline constexpr std::string_view SixReadsAndRewrites = "Floor_SixReadsAndRewrites";
inline constexpr std::string_view Load = "LoadAllSections";
inline constexpr std::string_view SaveChanged = "SaveAllSections_EveryValueChanged";
inline constexpr std::string_view SaveUnchanged = "SaveAllSections_NothingChanged";
inline constexpr std::string_view LoadJustWritten = "LoadAllSections_JustWritten";
inline constexpr std::string_view SaveUnchangedJustWritten
    = "SaveAllSections_NothingChanged_JustWritten";
} // namespace FileOperation

// The benchmark's name: the operation, "/" and the sample's label.
std::string BenchmarkName(std::string_view operation, const SampleFile &sample);

// Registers every operation on every sample. The samples must outlive the run.
void RegisterFileBenchmarks(const std::vector<SampleFile> &samples);
