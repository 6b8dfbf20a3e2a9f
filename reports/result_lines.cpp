#include "reports/result_lines.h"

#include <algorithm>

namespace {

unsigned char FoldAsciiCase(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

// The value of `c` as a digit of `base`, or -1.
int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') {
    v = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    v = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    v = c - 'A' + 10;
  }
  return v < base ? v : -1;
}

}  // namespace

bool ResultLineLess(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char ca = FoldAsciiCase(a[i]);
    const unsigned char cb = FoldAsciiCase(b[i]);
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

void SortResultsAscending(std::vector<std::string>& lines) {
  std::stable_sort(lines.begin(), lines.end(), ResultLineLess);
}

void SortResultsDescending(std::vector<std::string>& lines) {
  std::stable_sort(lines.begin(), lines.end(),
                   [](const std::string& a, const std::string& b) { return ResultLineLess(b, a); });
}

std::int32_t ResultLineTime(const std::string& line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
    negative = line[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < line.size() && line[i] == '$') {
    base = 16;
    ++i;
  } else if (i < line.size() && line[i] == '%') {
    base = 2;
    ++i;
  }
  // Accumulate the magnitude only up to the limit: once past it, further
  // digits cannot bring it back, so the sum never grows beyond limit × base.
  std::int64_t magnitude = 0;
  for (; i < line.size(); ++i) {
    const int d = DigitValue(line[i], base);
    if (d < 0) break;
    if (magnitude <= kResultTimeLimit) magnitude = magnitude * base + d;
  }
  magnitude = std::min<std::int64_t>(magnitude, kResultTimeLimit);
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
