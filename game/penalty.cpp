#include "game/game.h"
#include "platform/ui.h"

namespace {

// Replaces the non-overlapping occurrences of `from`, left to right; the text
// put in is not searched again. An empty `from` changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos, std::string::npos);
  return out;
}

}  // namespace

void MarkPenalty(RunState& s) {
  // The time first, then the name.
  std::string log = ReplaceAll(ui::Text(kLogEditor), Decimal(s.GhostTime), ui::Text(kPenaltyField));
  log = ReplaceAll(log, s.GhostDriver, s.GhostDriver + " ##");
  ui::SetText(kLogEditor, log);
}
