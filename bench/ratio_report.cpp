#include "bench/ratio_report.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

double NanosecondsPer(benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return 1;
    case benchmark::kMicrosecond:
      return 1e3;
    case benchmark::kMillisecond:
      return 1e6;
    case benchmark::kSecond:
      return 1e9;
  }
  return 1;
}

std::string Readable(double ns) {
  char text[32];
  if (ns >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  } else if (ns >= 1e3) {
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.0f ns", ns);
  }
  return text;
}

}  // namespace

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
  benchmark::ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const std::string& name = run.run_name.function_name;
    const double ns = run.GetAdjustedRealTime() * NanosecondsPer(run.time_unit);
    if (run.run_type == Run::RT_Aggregate) {
      if (run.aggregate_name == "median") medians_[name] = ns;
    } else {
      singles_[name].push_back(ns);
    }
  }
}

std::optional<double> CollectingReporter::Nanoseconds(const std::string& name) const {
  if (auto m = medians_.find(name); m != medians_.end()) return m->second;
  auto s = singles_.find(name);
  if (s == singles_.end() || s->second.empty()) return std::nullopt;
  std::vector<double> times = s->second;
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

int RunAndReport(const std::vector<RatioTarget>& ratios, const std::vector<LimitTarget>& limits) {
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nRatios (median real time):\n");
  for (const RatioTarget& r : ratios) {
    auto num = reporter.Nanoseconds(r.numerator);
    const auto den = reporter.Nanoseconds(r.denominator);
    if (!num || !den || *den <= 0) continue;
    if (!r.subtract.empty()) {
      const auto less = reporter.Nanoseconds(r.subtract);
      if (!less) continue;
      num = *num - *less;
      if (*num <= 0) {
        std::printf("ratio %-46s  below the noise\n", r.label.c_str());
        continue;
      }
    }
    const double ratio = *num / *den;
    std::printf("ratio %-46s %9.3f  (%s / %s)", r.label.c_str(), ratio, Readable(*num).c_str(),
                Readable(*den).c_str());
    if (r.target > 0) {
      std::printf("  target <= %.2f: %s", r.target, ratio <= r.target ? "holds" : "MISSED");
    }
    std::printf("\n");
  }
  if (!limits.empty()) std::printf("\nLimits (median real time):\n");
  for (const LimitTarget& l : limits) {
    auto t = reporter.Nanoseconds(l.name);
    if (!t) continue;
    if (!l.subtract.empty()) {
      const auto less = reporter.Nanoseconds(l.subtract);
      if (!less) continue;
      t = *t - *less;
    }
    std::printf("limit %-46s %9s  target < %.0f ms: %s\n", l.label.c_str(), Readable(*t).c_str(),
                l.limitMs, *t < l.limitMs * 1e6 ? "holds" : "MISSED");
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace bench
