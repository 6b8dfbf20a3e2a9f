// The result lines the reports share: their order and the time they begin with.
//
// A result line is "time driver" as the ranking scan takes it from the log
// ("4523 Alice", "0999 Bob", "6000 Carl ##"). The ranking, the chart and the
// chart request all order these lines by the same text comparison, so the
// order of equal times is decided by the driver name everywhere alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whole-line comparison, byte by byte: 'A'..'Z' count as 'a'..'z', bytes are
// unsigned, the first difference decides and a prefix is the smaller line.
// Only ASCII letters fold: Windows-1252 letters above 127 compare as bytes.
bool ResultLineLess(const std::string& a, const std::string& b);

// Stable sorts under ResultLineLess: equal lines keep the order they had.
void SortResultsAscending(std::vector<std::string>& lines);
void SortResultsDescending(std::vector<std::string>& lines);

// A time read from a hand-edited log can be any text; it is clamped to this
// magnitude so that the axis bounds and bar lengths derived from it stay far
// inside 32 bits. Real lap times are 16-bit.
constexpr std::int32_t kResultTimeLimit = 1'000'000'000;

// The integer a line begins with: leading spaces and tabs skipped, an
// optional sign, then decimal digits, or base-16 digits after "$", or base-2
// digits after "%"; 0 when no digit follows. The value is clamped to
// ±kResultTimeLimit.
std::int32_t ResultLineTime(const std::string& line);
