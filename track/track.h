// The track file: header decoding and the track map.
#pragma once

#include "app/run_state.h"

// Checks the header, fills TrackLayout and the lap fields, logs the entry's
// result line and searches the ghost's car block in the reference car bytes.
void DecodeTrackFile(RunState& s);
// Builds MapImage from scratch: background, terrain runs and the text band.
void DrawTerrainMap(RunState& s);
// Marks the height cells below the water level.
void DrawWater(RunState& s);
// Draws the track objects in their four passes.
void DrawTrackObjects(RunState& s);
// Plots the ghost lap's points and logs its point layout.
void DrawGhostLap(RunState& s);
