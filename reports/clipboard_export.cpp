// CopyChartText: joins the editor's lines (the chart request with the user's
// edits) into one line, puts it on the clipboard and shows its length.
#include <string>

#include "platform/ui.h"
#include "reports/reports.h"

void CopyChartText(RunState& s) {
  s.ChartText = ui::Text(kLogEditor);

  // Pieces between CRs: each piece after the first begins with the LF of its
  // line break, which is dropped with the piece's first character. The first
  // piece loses its first character too; the "h" put in front stands in for
  // it, so an address beginning with "h" comes through whole. A piece of
  // fewer than two characters (an empty line, or the end after a final line
  // break) ends the copy.
  std::string joined;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = s.ChartText.find('\r', start);
    const std::size_t pieceLength =
        (end == std::string::npos ? s.ChartText.size() : end) - start;
    if (pieceLength < 2) break;
    joined.append(s.ChartText, start + 1, pieceLength - 1);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  s.ChartText = "h" + joined;

  // A clipboard that cannot be written is not reported; the length is shown
  // all the same.
  ui::SetClipboardText(s.ChartText);
  ui::SetText(kPenaltyField, Decimal(static_cast<long long>(s.ChartText.size())) + " Byte");
}
