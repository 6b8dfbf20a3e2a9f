// ComposeChartText: the request for a bar chart of the Google chart service.
// The template file gives the service's address and every fixed parameter,
// one per line; this step fills the chart height into the size line and adds
// the lines that carry the data range, the values, the axes and their labels.
#include <cstdint>
#include <string>
#include <vector>

#include "app/byte_view.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "reports/reports.h"
#include "reports/result_lines.h"

namespace {

const std::string kCrLf = "\r\n";
const std::string kTemplateFileName = "google_charts.txt";
// The template's size line: "chs=<width>x", completed with the height.
const std::string kSizePrefix = "chs=";
constexpr std::int64_t kRowHeight = 30;
constexpr std::int64_t kExtraHeight = 60;

// The template's lines: a line ends at CR, LF, CR LF or the end of the text;
// a line break at the very end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

// Seconds text of hundredths: 4523 -> "45.23", 25 -> "0.25", -50 -> "-0.50".
std::string SecondsText(std::int64_t v) {
  const std::uint64_t magnitude =
      v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  const std::uint64_t cents = magnitude % 100;
  return std::string(v < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
         (cents < 10 ? "0" : "") + std::to_string(cents);
}

// The text between the line's first and second space (or its end); empty
// when the line has no space.
std::string DriverWord(const std::string& line) {
  const std::size_t first = line.find(' ');
  if (first == std::string::npos) return {};
  const std::size_t second = line.find(' ', first + 1);
  return line.substr(first + 1, second == std::string::npos ? std::string::npos
                                                            : second - first - 1);
}

}  // namespace

void ComposeChartText(RunState& s) {
  s.ChartText.clear();
  const std::int64_t chartHeight =
      kRowHeight * static_cast<std::int64_t>(s.ResultList.size()) + kExtraHeight;

  std::string templateText;
  if (!platform::ReadWholeFile(s.StartDirectory + kTemplateFileName, templateText)) return;

  std::string text;
  for (std::string line : SplitLines(templateText)) {
    line = TrimSpaces(line);
    if (line.compare(0, kSizePrefix.size(), kSizePrefix) == 0 && line.back() == 'x') {
      line += Decimal(chartHeight);
    }
    text += line + kCrLf;
  }

  const std::int64_t chartMin = s.ChartMin;
  const std::int64_t chartMax = s.ChartMax;
  text += "&chds=" + SecondsText(chartMin) + "," + SecondsText(chartMax) + kCrLf;

  // Values from the smallest line to the largest; a time that is no lap is
  // drawn to the axis end.
  text += "&chd=t:";
  for (std::size_t i = 0; i < s.ResultList.size(); ++i) {
    const std::int32_t t = ResultLineTime(s.ResultList[i]);
    if (i > 0) text += ",";
    text += SecondsText(t >= kNoLapTime ? chartMax : t);
  }
  text += kCrLf;

  // The service lists a bar chart's names from the bottom up, so they go
  // from the largest line to the smallest.
  SortResultsDescending(s.ResultList);

  text += "&chxt=x,y" + kCrLf;
  text += "&chxl=0:|" + SecondsText(chartMin) + "|" +
          SecondsText(chartMin + (chartMax - chartMin) / 2) + "|" + SecondsText(chartMax) + kCrLf;
  text += "|1:|";
  for (std::size_t i = 0; i < s.ResultList.size(); ++i) {
    const std::string& line = s.ResultList[i];
    if (i > 0) text += "|";
    text += DriverWord(line) + " (" + SecondsText(ResultLineTime(line)) + ")";
  }

  s.ChartText = text;
  ui::SetText(kLogEditor, s.ChartText);
}
