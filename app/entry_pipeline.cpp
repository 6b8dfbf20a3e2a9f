#include "app/entry_pipeline.h"

#include "entries/entries.h"
#include "game/game.h"
#include "platform/ui.h"
#include "track/track.h"

void RunTrackSteps(RunState& s) {
  DecodeTrackFile(s);
  if (s.TrackHeaderInvalid) return;
  DrawTerrainMap(s);
  DrawWater(s);
  DrawTrackObjects(s);
  DrawGhostLap(s);
}

void RunEntryPipeline(RunState& s) {
  ui::ClearText(kLogEditor);
  // Disabled until the entry is done, so no second press can be queued.
  ui::SetEnabled(kStepButton, false);
  ui::SetText(kPenaltyField, "6000");

  LoadEntryFiles(s);
  if (s.TrackFileName) RunTrackSteps(s);
  // Runs for every entry; it loads the game file into TrackData over the
  // track file, so it comes after every step that reads the track file.
  ReportGameFile(s);

  ui::AppendLine(kLogEditor, kDashLine);
  ui::SetEnabled(kStepButton, true);
}
