// WriteResultsReport: ranks the ghost laps found in RunLog, puts the ranking
// in front of the log, shows the whole text in the enlarged editor and writes
// it as the results text file.
#include <string>
#include <vector>

#include "app/byte_view.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "reports/reports.h"
#include "reports/result_lines.h"

namespace {

// The mark that the track decoding writes before an entry's time and driver.
const std::string kResultMark = "1.:";
const std::string kCrLf = "\r\n";
// Text after the mark of an entry's result line: 4 digits, a space, a name.
// A three-digit time gets one "0" in front so that text order is time order.
constexpr std::size_t kTimeDigits = 4;

// The enlarged editor that shows the report once the pictures are gone.
constexpr int kReportEditorX = 5;
constexpr int kReportEditorY = 10;
constexpr int kReportEditorWidth = 480;
constexpr int kReportEditorHeight = 628;

// Every "1.:" that has a CR LF somewhere after it yields the text between the
// mark and the first CR LF after it, trimmed, in the order of the log.
std::vector<std::string> CollectResultLines(const std::string& log) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  while (p < log.size()) {
    const std::size_t a = log.find(kResultMark, p);
    if (a == std::string::npos) break;
    const std::size_t b = log.find(kCrLf, a);
    // No line break at or after this mark means none after any later mark
    // either: the scan has run out.
    if (b == std::string::npos) break;
    std::string line = TrimSpaces(log.substr(a + kResultMark.size(), b - a - kResultMark.size()));
    if (line.size() >= kTimeDigits && line[kTimeDigits - 1] == ' ') line = "0" + line;
    lines.push_back(std::move(line));
    // The scan goes on one character past the mark's end: a mark that starts
    // right where the previous one ends is not seen.
    p = a + kResultMark.size() + 1;
  }
  return lines;
}

}  // namespace

void WriteResultsReport(RunState& s) {
  s.ResultList.clear();
  if (s.RunLog.empty()) return;

  s.ResultList = CollectResultLines(s.RunLog);
  SortResultsDescending(s.ResultList);

  // The list runs from the largest line to the smallest; the smallest ranks
  // first, so the ranking is the list read backwards.
  std::string ranking;
  const std::size_t n = s.ResultList.size();
  for (std::size_t rank = 1; rank <= n; ++rank) {
    ranking += Decimal(static_cast<long long>(rank)) + " - " + s.ResultList[n - rank] + kCrLf;
  }
  s.RunLog.insert(0, ranking);

  ui::RemoveControl(kScreenshotView);
  ui::RemoveControl(kSettingsView);
  ui::MoveControl(kLogEditor, kReportEditorX, kReportEditorY, kReportEditorWidth,
                  kReportEditorHeight);
  ui::SetText(kLogEditor, s.RunLog);

  // Written through a temporary file renamed over the old report: a failed
  // write leaves no half-written file and keeps the previous report. A
  // failure is not reported; the chart is drawn all the same. Without a
  // chosen hotlap folder (chooser cancelled) there is no place for the
  // report: the path would fall into the working directory.
  if (s.HotlapFolder.empty()) return;
  platform::WriteFileSafely(s.HotlapFolder + s.TrackBaseName + ".txt", s.RunLog);
}
