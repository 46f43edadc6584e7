#include "TargetReport.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Every ratio must stay at or below this.
constexpr double Limit = 1.5;

constexpr std::array<std::string_view, 6> Operations{FileOperation::SixReads,
                                                     FileOperation::SixReadsAndParses,
                                                     FileOperation::SixReadsAndRewrites,
                                                     FileOperation::Load,
                                                     FileOperation::SaveChanged,
                                                     FileOperation::SaveUnchanged};

struct FloorTarget
{
    std::string_view ours;
    std::string_view floor;
};

constexpr std::array<FloorTarget, 3> FloorTargets{{
    {FileOperation::Load, FileOperation::SixReadsAndParses},
    {FileOperation::SaveChanged, FileOperation::SixReadsAndRewrites},
    {FileOperation::SaveUnchanged, FileOperation::SixReads},
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
                   const std::vector<std::optional<double>> &ratios)
{
    bool holds = true;
    out << Padded(std::string(title), 64);
    for (const auto &ratio : ratios) {
        out << Padded(ratio ? Format("%.2f", *ratio) : "failed", 9);
        holds = holds && ratio && *ratio <= Limit;
    }
    out << (holds ? "   holds" : "   MISSED") << '\n';
}

void PrintMedians(std::ostream &out,
                  const MedianReport &report,
                  const std::vector<SampleFile> &samples)
{
    out << "\nMedians of real time, milliseconds\n" << Padded("", 40);
    for (const auto &sample : samples)
        out << Padded(sample.label, 12);
    out << '\n' << Padded("file size, bytes", 40);
    for (const auto &sample : samples)
        out << Padded(std::to_string(sample.bytes), 12);
    out << '\n';
    for (const auto operation : Operations) {
        out << Padded(std::string(operation), 40);
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
    out << "\nOurs / floor (target: at most " << Format("%.1f", Limit) << ")\n";
    for (const auto &target : FloorTargets) {
        std::vector<std::optional<double>> ratios;
        for (const auto &sample : samples)
            ratios.push_back(
                Ratio(Median(report, target.ours, sample), Median(report, target.floor, sample)));
        PrintRatioRow(out, std::string(target.ours) + " / " + std::string(target.floor), ratios);
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
        PrintRatioRow(out, title, ratios);
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
           " \"failed\".\n";
}
