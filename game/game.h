// The game file, the settings panel, the track identity check and penalties.
#pragma once

#include <cstdint>
#include <string>

#include "app/run_state.h"

// Reads the entry's game file into TrackData, logs the track name and the race
// settings, stores TrackIdentity and the driver, and draws the settings bars.
void ReportGameFile(RunState& s);
// bar 0 re-creates SettingsPanel in the panel colour; bars 1 to 5 draw a row.
void DrawSettingsBar(const RunState& s, std::int16_t bar, std::int16_t value,
                     std::int16_t maximum, const std::string& label,
                     const std::string& valueText);
// At End: warns about every entry whose track identity no other entry shares.
void CheckTrackIdentities(RunState& s);
// Replaces the ghost time in the log by the penalty text and marks the driver.
void MarkPenalty(RunState& s);
