// The hotlap folder and each entry's files.
#pragma once

#include "app/run_state.h"

// Asks for the hotlap folder, fills EntryList and loads the reference car
// file into CarBuffer, logging what it found about the car.
void ChooseHotlapFolder(RunState& s);

// Moves to the next entry folder, draws the progress bar, finds the entry's
// track file, game file and screenshot, reads the track file into TrackData
// and shows the screenshot (or PlaceholderImage).
void LoadEntryFiles(RunState& s);
