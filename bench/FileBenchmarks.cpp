#include "FileBenchmarks.h"

#include "ClientFile.h"
#include "FileFloor.h"
#include "SampleClientFiles.h"
#include "ini/FileStamp.h"
#include "ini/ProfileDocument.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>

#include <benchmark/benchmark.h>

namespace {

// A whole-file load or save opens the file once per section object: [Defaults],
// [BagPositions], the five layouts together, [WindowColors], [KeyMaps], [TextColors].
constexpr int SectionObjects = 6;

const std::array<ClientSettings, 2> &Variants()
{
    static const std::array<ClientSettings, 2> variants{SampleSettings(0), SampleSettings(1)};
    return variants;
}

// A copy of the sample for a benchmark that writes, so every benchmark starts from the same
// bytes.
std::string WorkingCopy(const SampleFile &sample)
{
    const std::string path = sample.path + ".work";
    std::filesystem::copy_file(
        sample.path, path, std::filesystem::copy_options::overwrite_existing);
    return path;
}

void CountBytes(benchmark::State &state, const SampleFile &sample)
{
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sample.bytes));
}

void SixReads(benchmark::State &state, const SampleFile *sample)
{
    for (auto _ : state) {
        for (int object = 0; object < SectionObjects; ++object)
            benchmark::DoNotOptimize(ReadWholeFile(sample->path));
    }
    CountBytes(state, *sample);
}

// Parsing the file: asking for a section it does not have makes our document find every one.
void SixReadsAndParses(benchmark::State &state, const SampleFile *sample)
{
    for (auto _ : state) {
        for (int object = 0; object < SectionObjects; ++object) {
            const ProfileDocument document(ReadWholeFile(sample->path).value_or(""));
            benchmark::DoNotOptimize(document.Value("No such section", "Key"));
        }
    }
    CountBytes(state, *sample);
}

void SixReadsAndRewrites(benchmark::State &state, const SampleFile *sample)
{
    const std::string path = WorkingCopy(*sample);
    for (auto _ : state) {
        for (int object = 0; object < SectionObjects; ++object) {
            if (!RewriteAtomically(path, ReadWholeFile(path).value_or(""))) {
                state.SkipWithError("the floor's rewrite failed");
                return;
            }
        }
    }
    CountBytes(state, *sample);
}

// A file written within the settle time must be read by every section, for a write in the
// same tick as its last one would not show in its metadata. Moving the clock back makes the
// settled sample count as just written, with nothing else changed.
struct AsJustWritten
{
    ScopedClockAdvance clockBack{-std::chrono::hours(24)};
};

void Load(benchmark::State &state, const SampleFile *sample)
{
    ClientSettings settings;
    for (auto _ : state) {
        LoadAllSections(sample->path, settings);
        benchmark::DoNotOptimize(&settings);
    }
    if (settings != Variants()[0])
        state.SkipWithError("the load did not give the settings the sample holds");
    CountBytes(state, *sample);
}

void LoadJustWritten(benchmark::State &state, const SampleFile *sample)
{
    const AsJustWritten justWritten;
    Load(state, sample);
}

// Saves the two variants in turn over a file that holds the first, so every save rewrites
// every known key.
void SaveChanged(benchmark::State &state, const SampleFile *sample)
{
    const std::string path = WorkingCopy(*sample);
    std::size_t next = 1;
    for (auto _ : state) {
        if (SaveAllSections(path, Variants()[next])) {
            state.SkipWithError("the save was refused");
            return;
        }
        next = 1 - next;
    }
    ClientSettings saved;
    LoadAllSections(path, saved);
    if (saved != Variants()[1 - next])
        state.SkipWithError("the file does not hold the settings last saved");
    CountBytes(state, *sample);
}

struct FileIdentity
{
    ino_t inode;
    timespec modified;
    off_t size;

    bool operator==(const FileIdentity &other) const
    {
        return inode == other.inode && modified.tv_sec == other.modified.tv_sec
               && modified.tv_nsec == other.modified.tv_nsec && size == other.size;
    }
};

FileIdentity Identify(const std::string &path)
{
    struct stat info
    {};
    stat(path.c_str(), &info);
    return {info.st_ino, info.st_mtim, info.st_size};
}

// Saves the settings the sample already holds: nothing may be written at all.
void SaveUnchanged(benchmark::State &state, const SampleFile *sample)
{
    const FileIdentity before = Identify(sample->path);
    for (auto _ : state) {
        if (SaveAllSections(sample->path, Variants()[0])) {
            state.SkipWithError("the save was refused");
            return;
        }
    }
    if (!(Identify(sample->path) == before))
        state.SkipWithError("a save that changed nothing wrote the file");
    CountBytes(state, *sample);
}

void SaveUnchangedJustWritten(benchmark::State &state, const SampleFile *sample)
{
    const AsJustWritten justWritten;
    SaveUnchanged(state, sample);
}

using FileBenchmark = void (*)(benchmark::State &, const SampleFile *);

constexpr std::pair<std::string_view, FileBenchmark> Benchmarks[] = {
    {FileOperation::SixReads, SixReads},
    {FileOperation::SixReadsAndParses, SixReadsAndParses},
    {FileOperation::SixReadsAndRewrites, SixReadsAndRewrites},
    {FileOperation::Load, Load},
    {FileOperation::SaveChanged, SaveChanged},
    {FileOperation::SaveUnchanged, SaveUnchanged},
    {FileOperation::LoadJustWritten, LoadJustWritten},
    {FileOperation::SaveUnchangedJustWritten, SaveUnchangedJustWritten},
};

} // namespace

std::string BenchmarkName(std::string_view operation, const SampleFile &sample)
{
    return std::string(operation) + "/" + sample.label;
}

void RegisterFileBenchmarks(const std::vector<SampleFile> &samples)
{
    for (const auto &sample : samples) {
        for (const auto &[operation, function] : Benchmarks) {
            // Saves wait for the disk, so the time that counts is the wall clock's.
            benchmark::RegisterBenchmark(
                BenchmarkName(operation, sample).c_str(), function, &sample)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}
