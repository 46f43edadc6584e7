#include "MedianReport.h"

#include <unistd.h>

namespace {

double Milliseconds(const benchmark::BenchmarkReporter::Run &run)
{
    const double seconds
        = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    return seconds * 1000.0;
}

} // namespace

MedianReport::MedianReport(OutputOptions options)
    : ConsoleReporter(options)
{}

void MedianReport::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const auto &run : runs) {
        const std::string &name = run.run_name.function_name;
        if (run.error_occurred)
            m_failed.insert(name);
        // Aggregates come after the repetitions they sum up, so a median replaces a single time.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            m_medians[name] = Milliseconds(run);
        else if (run.run_type == Run::RT_Iteration && !m_medians.contains(name))
            m_medians[name] = Milliseconds(run);
    }
}

std::optional<double> MedianReport::MedianMilliseconds(const std::string &name) const
{
    const auto found = m_medians.find(name);
    if (found == m_medians.end() || m_failed.contains(name))
        return std::nullopt;
    return found->second;
}

benchmark::ConsoleReporter::OutputOptions ConsoleOptionsForStdout()
{
    return isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                 : benchmark::ConsoleReporter::OO_Tabular;
}
