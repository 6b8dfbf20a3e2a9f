#pragma once

#include "app/run_state.h"

// Loads the next entry and runs every per-entry check and drawing in order,
// then closes the entry's log with the DashLine.
void RunEntryPipeline(RunState& s);
