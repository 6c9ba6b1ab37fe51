// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/Goals.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace tintorb::bench {

namespace {

constexpr int MinimumRepetitions = 9;

// The console report, keeping each benchmark's median as it goes by.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred) {
                medians[run.run_name.str()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }

    Medians medians;
};

}  // namespace

Medians RunBenchmarks(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=" + std::to_string(MinimumRepetitions);
    std::string aggregatesOnly = "--benchmark_report_aggregates_only=true";
    // Repetitions of different benchmarks take turns, so that the machine's drift over the run (clock
    // speed, other work, a history or heap grown by an earlier benchmark) does not land on one side of a
    // ratio.
    std::string interleaved = "--benchmark_enable_random_interleaving=true";
    bool repetitionsGiven = false;
    for (int i = 1; i < argc; ++i) {
        repetitionsGiven |= std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
    }
    if (!repetitionsGiven) {
        args.push_back(repetitions.data());
        args.push_back(aggregatesOnly.data());
        args.push_back(interleaved.data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.medians;
}

void PrintGoal(std::string_view name, double value, double target, std::string_view unit) {
    std::printf("goal %.*s: %.2f%.*s (target %g%.*s) %s\n", static_cast<int>(name.size()), name.data(), value,
                static_cast<int>(unit.size()), unit.data(), target, static_cast<int>(unit.size()),
                unit.data(), value <= target ? "met" : "missed");
}

namespace {

// measured/baseline, when both ran.
[[nodiscard]] std::optional<double> Ratio(const Medians& medians, std::string_view measured,
                                          std::string_view baseline) {
    const auto top = medians.find(measured);
    const auto bottom = medians.find(baseline);
    if (top == medians.end() || bottom == medians.end() || bottom->second <= 0) {
        return std::nullopt;
    }
    return top->second / bottom->second;
}

}  // namespace

void PrintRatioGoal(const Medians& medians, std::string_view name, std::string_view measured,
                    std::string_view baseline, double target) {
    if (const auto ratio = Ratio(medians, measured, baseline)) {
        PrintGoal(name, *ratio, target, "x");
    }
}

void PrintReference(const Medians& medians, std::string_view name, std::string_view measured,
                    std::string_view baseline) {
    if (const auto ratio = Ratio(medians, measured, baseline)) {
        std::printf("reference %.*s: %.2fx\n", static_cast<int>(name.size()), name.data(), *ratio);
    }
}

}  // namespace tintorb::bench
