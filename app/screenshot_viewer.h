#pragma once

#include "app/run_state.h"

// Shows the entry's screenshot at full size in a borderless window until the
// picture is clicked or a window is closed.
void OpenScreenshotViewer(RunState& s);
