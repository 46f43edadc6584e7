#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// Prints the runs as the console reporter does, and keeps each benchmark's median real time
// (its only time when it ran once) for the ratios printed after the run.
class MedianReport : public benchmark::ConsoleReporter
{
public:
    explicit MedianReport(OutputOptions options);

    void ReportRuns(const std::vector<Run> &runs) override;

    // The median in milliseconds; nullopt when the benchmark did not run or failed.
    std::optional<double> MedianMilliseconds(const std::string &name) const;

private:
    std::map<std::string, double> m_medians;
    std::set<std::string> m_failed;
};

// Colours in a terminal, plain text when the output goes to a file or a pipe.
benchmark::ConsoleReporter::OutputOptions ConsoleOptionsForStdout();
