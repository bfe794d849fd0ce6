// SPDX-License-Identifier: MIT
// The reporter every benchmark program uses: Google Benchmark's usual console table, and at
// the end one line per compared job with our time, the anchor's time (measured in the same
// run) and their ratio. Below 1 means we are faster.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace jxt::bench {

/// The aim of a job that is ahead of its anchor: it stays ahead.
constexpr double kStaysAhead = 1.0;
/// A job measured for information, without an aim.
constexpr double kNoAim = 0.0;

/// Which time a ratio compares. Processor time suits jobs that only compute on a shared
/// machine; wall-clock time suits jobs that wait for the file system or a child process.
enum class TTime { Real, Processor };

class TRatioReporter : public benchmark::ConsoleReporter
{
public:
    explicit TRatioReporter(OutputOptions options = OO_Defaults);

    /// Asks for the line "job: ours … anchor … ratio …" at the end of the run. ours and
    /// anchor are benchmark names as registered (without arguments or "/real_time"). aim is
    /// the highest ratio the job should show (kNoAim for none); whyMissed, when given, says
    /// what keeps the job from its aim in some runs, with the rule or cost behind it. When
    /// the environment variable JXT_BENCH_SUMMARY names a file, one line
    /// "job<TAB>ratio<TAB>aim<TAB>whyMissed" per job is appended to it, for the summary of a
    /// whole benchmark run (scripts/run-benchmarks.sh).
    void AddRatio(const std::string &job, const std::string &ours, const std::string &anchor,
                  TTime time = TTime::Processor, double aim = kStaysAhead,
                  const std::string &whyMissed = {});

    /// Time per iteration of a finished benchmark, in its own time unit; a counter named
    /// "child_cpu" (seconds per iteration spent in child processes) adds to its processor
    /// time. Returns a negative number for a benchmark that did not run.
    double Time(const std::string &name, TTime time) const;

    /// ours / anchor, or a negative number when one of them did not run.
    double Ratio(const std::string &ours, const std::string &anchor, TTime time) const;

    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    struct TTimes
    {
        double real = 0;
        double processor = 0;
        benchmark::TimeUnit unit = benchmark::kNanosecond;
    };
    struct TRequest
    {
        std::string job, ours, anchor;
        TTime time;
        double aim;
        std::string whyMissed;
    };
    std::map<std::string, TTimes> m_times;
    std::vector<TRequest> m_requests;
};

/// The usual main of a benchmark program: initialises Google Benchmark, runs every
/// benchmark with the reporter, which prints the requested ratios at the end. Returns the
/// program's exit code (1 for arguments it does not know).
int RunWithRatios(int argc, char **argv, TRatioReporter &reporter);

} // namespace jxt::bench
