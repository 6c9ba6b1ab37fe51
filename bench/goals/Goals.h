// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The verdict lines that end `make bench`: each goal is a median of one benchmark, alone or over the median
// of another from the same run, so that a loaded machine slows both sides alike.

#include <map>
#include <string>
#include <string_view>

namespace tintorb::bench {

// Median real time per iteration, in seconds, of every benchmark that ran, by name.
using Medians = std::map<std::string, double, std::less<>>;

// Runs the registered benchmarks with at least nine repetitions (more when the command line asks) and
// reports their aggregates on the console.
[[nodiscard]] Medians RunBenchmarks(int argc, char** argv);

// "goal NAME: 1.23x (target 1.5x) met", or "missed".
void PrintGoal(std::string_view name, double value, double target, std::string_view unit);

// The goal measured/baseline ≤ target, when both benchmarks ran.
void PrintRatioGoal(const Medians& medians, std::string_view name, std::string_view measured,
                    std::string_view baseline, double target);

// "reference NAME: 1.23x": a ratio kept for comparison, with no target.
void PrintReference(const Medians& medians, std::string_view name, std::string_view measured,
                    std::string_view baseline);

}  // namespace tintorb::bench
