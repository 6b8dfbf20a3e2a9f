// A console reporter that also keeps each benchmark's time, and the lines
// printed after the run: every benchmark set against its floor, and the
// absolute limits, each marked as holding or missed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

// numerator ≤ target × denominator is the aim. With `subtract` set, the
// numerator is that benchmark's time taken from the numerator's (the share of
// one step inside a larger call).
struct RatioTarget {
  std::string label;
  std::string numerator;
  std::string denominator;
  double target = 0;  // 0: no target, the ratio is shown for information
  std::string subtract = {};
};

// The benchmark's time (less that of `subtract`, when set) should stay below
// `limitMs`.
struct LimitTarget {
  std::string label;
  std::string name;
  double limitMs = 0;
  std::string subtract = {};
};

class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  CollectingReporter() : benchmark::ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override;

  // Real time per iteration in nanoseconds: the median over the repetitions
  // (the "median" aggregate, or the median of the single runs when only
  // those were reported); empty when the benchmark did not run.
  std::optional<double> Nanoseconds(const std::string& name) const;

 private:
  std::map<std::string, double> medians_;
  std::map<std::string, std::vector<double>> singles_;
};

// Runs the registered benchmarks through a CollectingReporter, then prints
// the ratio and limit lines. Returns the process's exit code.
int RunAndReport(const std::vector<RatioTarget>& ratios, const std::vector<LimitTarget>& limits);

}  // namespace bench
