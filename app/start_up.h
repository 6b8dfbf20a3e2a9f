#pragma once

#include <string>

#include "app/run_state.h"

// Start-up after the platform layer is ready: RunState with its tables and
// FileBuffer, StartDirectory, the two fonts and PlaceholderImage. Returns
// false (with a message in `error`) when a font or the placeholder cannot be
// had.
bool StartUp(RunState& s, std::string& error);
// Releases images, fonts, windows and FileBuffer.
void ShutDown(RunState& s);
