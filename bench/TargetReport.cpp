#include "TargetReport.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The limit of the growth of the cost per byte, and of most ratios to a floor.
constexpr double Limit = 1.5;
// The unchanged save against six plain reads.
constexpr double UnchangedSaveLimit = 2.0;

constexpr std::array<std::string_view, 8> Operations{FileOperation::SixReads,
                                                     FileOperation::SixReadsAndParses,
                                                     FileOperation::SixReadsAndRewrites,
                                                     FileOperation::Load,
                                                     FileOperation::SaveChanged,
                                                     FileOperation::SaveUnchanged,
                                                     FileOperation::LoadJustWritten,
                                                     FileOperation::SaveUnchangedJustWritten};

struct FloorTarget
{
    std::string_view ours;
    std::string_view floor;
    double limit;
};

constexpr std::array<FloorTarget, 5> FloorTargets{{
    {FileOperation::Load, FileOperation::SixReadsAndParses, Limit},
    {FileOperation::SaveChanged, FileOperation::SixReadsAndRewrites, Limit},
    {FileOperation::SaveUnchanged, FileOperation::SixReads, UnchangedSaveLimit},
    {FileOperation::LoadJustWritten, FileOperation::SixReadsAndParses, Limit},
    {FileOperation::SaveUnchangedJustWritten, FileOperation::SixReads, UnchangedSaveLimit},
}};

constexpr std::array<std::string_view, 3> ScaledOperations{
    FileOperation::Load, FileOperation::SaveChanged, FileOperation::SaveUnchanged};

std::string Format(const char *format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

std::optional<double>
Median(const MedianReport &report, std::string_view operation, const SampleFile &sample)
{
    return report.MedianMilliseconds(BenchmarkName(operation, sample));
}

std::optional<double> Ratio(std::optional<double> ours, std::optional<double> floor)
{
    if (!ours || !floor || *floor <= 0)
        return std::nullopt;
    return *ours / *floor;
}

// A row of ratios and whether all of them hold.
void PrintRatioRow(std::ostream &out,
                   std::string_view title,
                   const std::vector<std::optional<double>> &ratios,
                   double limit)
{
    bool holds = true;
    out << Padded(std::string(title), 72);
    for (const auto &ratio : ratios) {
        out << Padded(ratio ? Format("%.2f", *ratio) : "failed", 9);
        holds = holds && ratio && *ratio <= limit;
    }
    out << (holds ? "   holds" : "   MISSED") << '\n';
}

void PrintMedians(std::ostream &out,
                  const MedianReport &report,
                  const std::vector<SampleFile> &samples)
{
    out << "\nMedians of real time, milliseconds\n" << Padded("", 46);
    for (const auto &sample : samples)
        out << Padded(sample.label, 12);
    out << '\n' << Padded("file size, bytes", 46);
    for (const auto &sample : samples)
        out << Padded(std::to_string(sample.bytes), 12);
    out << '\n';
    for (const auto operation : Operations) {
        out << Padded(std::string(operation), 46);
        for (const auto &sample : samples) {
            const auto median = Median(report, operation, sample);
            out << Padded(median ? Format("%.3f", *median) : "failed", 12);
        }
        out << '\n';
    }
}

void PrintFloorRatios(std::ostream &out,
                      const MedianReport &report,
                      const std::vector<SampleFile> &samples)
{
    out << "\nOurs / floor (target: at most " << Format("%.1f", Limit) << ", the unchanged saves "
        << Format("%.1f", UnchangedSaveLimit) << ")\n";
    for (const auto &target : FloorTargets) {
        std::vector<std::optional<double>> ratios;
        for (const auto &sample : samples)
            ratios.push_back(
                Ratio(Median(report, target.ours, sample), Median(report, target.floor, sample)));
        PrintRatioRow(out,
                      std::string(target.ours) + " / " + std::string(target.floor),
                      ratios,
                      target.limit);
    }
}

// Cost per byte on each larger sample over cost per byte on the first (smallest) one.
void PrintScaling(std::ostream &out,
                  const MedianReport &report,
                  const std::vector<SampleFile> &samples)
{
    if (samples.size() < 2)
        return;
    const auto &smallest = samples.front();
    out << "\nCost per byte / cost per byte at " << smallest.label << " (target: at most "
        << Format("%.1f", Limit) << ")\n";
    for (const auto operation : ScaledOperations) {
        std::vector<std::optional<double>> ratios;
        std::string title = std::string(operation) + " at";
        const auto base = Median(report, operation, smallest);
        for (std::size_t index = 1; index < samples.size(); ++index) {
            const auto &sample = samples[index];
            title += " " + sample.label;
            const auto median = Median(report, operation, sample);
            const auto perByte = Ratio(median, static_cast<double>(sample.bytes));
            const auto basePerByte = Ratio(base, static_cast<double>(smallest.bytes));
            ratios.push_back(Ratio(perByte, basePerByte));
        }
        PrintRatioRow(out, title, ratios, Limit);
    }
}

} // namespace

void PrintTargets(std::ostream &out,
                  const MedianReport &report,
                  const std::vector<SampleFile> &samples)
{
    PrintMedians(out, report, samples);
    PrintFloorRatios(out, report, samples);
    PrintScaling(out, report, samples);
    out << "\nEvery " << FileOperation::SaveUnchanged
        << " run checks that the file kept its inode, time and size; a failed check shows as"
           " \"failed\".\nThe JustWritten runs set the clock back, so that the sample counts as "
           "written a moment ago.\n";
}
