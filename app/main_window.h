// The main window, its event loop and the two buttons' state machine.
#pragma once

#include "app/run_state.h"
#include "platform/ui.h"

constexpr char kMainWindowTitle[] = "Torvanic Hotlap Check";

// Opens window 0 with its controls.
void OpenMainWindow(RunState& s);
// Acts on one event of the main loop; returns true when the loop should end.
bool HandleMainWindowEvent(RunState& s, const ui::Event& event);
void PressStepButton(RunState& s);
void PressActionButton(RunState& s);
// Waits for events and acts on them until the window is closed or the last
// StepButton press.
void RunEventLoop(RunState& s);
