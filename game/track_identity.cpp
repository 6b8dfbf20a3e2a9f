#include <algorithm>

#include "game/game.h"

void CheckTrackIdentities(RunState& s) {
  // Entry numbers run from 1; the tables have slots up to 101, so never more
  // entries than that are compared, whatever EntryList holds.
  const std::size_t n = std::min(s.EntryList.size(), s.TrackIdTable.size() - 1);
  bool anyReported = false;
  for (std::size_t i = 1; i <= n; ++i) {
    std::size_t differing = 0;
    for (std::size_t j = 1; j <= n; ++j) {
      if (s.TrackIdTable[j] != s.TrackIdTable[i]) ++differing;
    }
    // n - 1 differing: no other entry raced this track. Each warning goes in
    // front of the previous one, so they read in decreasing entry order.
    if (differing == n - 1) {
      anyReported = true;
      s.RunLog = s.LineBreak + "WARNING: " + s.DriverTable[i] + " Game corrupt !!!!" + s.RunLog;
    }
  }
  if (!anyReported) s.RunLog = s.LineBreak + "Track><Games: ok" + s.RunLog;
}
