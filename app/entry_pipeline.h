#pragma once

#include "app/run_state.h"

// Loads the next entry and runs every per-entry check and drawing in order,
// then closes the entry's log with the DashLine.
void RunEntryPipeline(RunState& s);

// The track file's steps of the pipeline on the bytes in TrackData: the
// header check, and for an accepted header the four drawing steps of the map.
void RunTrackSteps(RunState& s);
