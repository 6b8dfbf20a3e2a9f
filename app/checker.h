#pragma once

#include <functional>

// The whole program: platform layer, start-up, the main window's event loop
// and shutdown. `onWindowOpen` runs once the main window is shown (tests use
// it to queue events). Returns the process's exit code.
int RunChecker(int argc, char** argv, const std::function<void()>& onWindowOpen = {});
