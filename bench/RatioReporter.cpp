// SPDX-License-Identifier: MIT
#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace jxt::bench {

TRatioReporter::TRatioReporter(OutputOptions options) : ConsoleReporter(options) {}

void TRatioReporter::AddRatio(const std::string &job, const std::string &ours,
                              const std::string &anchor, TTime time, double aim,
                              const std::string &whyMissed)
{
    m_requests.push_back({job, ours, anchor, time, aim, whyMissed});
}

double TRatioReporter::Time(const std::string &name, TTime time) const
{
    const auto it = m_times.find(name);
    if (it == m_times.end())
        return -1;
    return time == TTime::Real ? it->second.real : it->second.processor;
}

double TRatioReporter::Ratio(const std::string &ours, const std::string &anchor, TTime time) const
{
    const double o = Time(ours, time);
    const double a = Time(anchor, time);
    if (o < 0 || a <= 0)
        return -1;
    return o / a;
}

void TRatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        // Aggregates (mean, median of repetitions) would overwrite the plain runs.
        if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0)
            continue;
        TTimes times;
        times.unit = run.time_unit;
        times.real = run.GetAdjustedRealTime();
        times.processor = run.GetAdjustedCPUTime();
        const auto child = run.counters.find("child_cpu");
        if (child != run.counters.end())
            times.processor +=
                child->second.value * benchmark::GetTimeUnitMultiplier(run.time_unit);
        // Both the full name ("BM_X/64/real_time") and the registered one ("BM_X") find it.
        m_times[run.benchmark_name()] = times;
        m_times[run.run_name.function_name] = times;
    }
}

void TRatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    if (m_requests.empty())
        return;
    std::printf("\nours / anchor (below 1 means ours is faster):\n");
    const char *summaryPath = std::getenv("JXT_BENCH_SUMMARY");
    FILE *summary = summaryPath && *summaryPath ? std::fopen(summaryPath, "a") : nullptr;
    for (const TRequest &r : m_requests) {
        const char *kind = r.time == TTime::Real ? "wall-clock" : "processor";
        const double ratio = Ratio(r.ours, r.anchor, r.time);
        if (summary) {
            // A job compared by both times is named with the time in the summary.
            const bool twice = std::count_if(m_requests.begin(), m_requests.end(),
                                             [&](const TRequest &o) { return o.job == r.job; }) > 1;
            std::fprintf(summary, "%s%s%s\t%.3f\t%.2f\t%s\n", r.job.c_str(), twice ? ", " : "",
                         twice ? kind : "", ratio, r.aim, r.whyMissed.c_str());
        }
        if (ratio < 0) {
            std::printf("  %-44s not measured (%s or %s did not run)\n", r.job.c_str(),
                        r.ours.c_str(), r.anchor.c_str());
            continue;
        }
        const auto unit = m_times.at(r.ours).unit;
        std::printf("  %-44s ours %10.4g %s  anchor %10.4g %s  ratio %.2f (%s time)\n",
                    r.job.c_str(), Time(r.ours, r.time), benchmark::GetTimeUnitString(unit),
                    Time(r.anchor, r.time), benchmark::GetTimeUnitString(m_times.at(r.anchor).unit),
                    ratio, kind);
    }
    if (summary)
        std::fclose(summary);
    std::fflush(stdout);
}

int RunWithRatios(int argc, char **argv, TRatioReporter &reporter)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace jxt::bench
