#include "app/main_window.h"

void OpenMainWindow(RunState& /*s*/) {}
bool HandleMainWindowEvent(RunState& /*s*/, const ui::Event& /*event*/) { return true; }
void PressStepButton(RunState& /*s*/) {}
void PressActionButton(RunState& /*s*/) {}
void RunEventLoop(RunState& /*s*/) {}
