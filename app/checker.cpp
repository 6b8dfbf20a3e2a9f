#include "app/checker.h"

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/start_up.h"
#include "platform/ui.h"

int RunChecker(int argc, char** argv, const std::function<void()>& onWindowOpen) {
  // The window system keeps a reference to argc for the program's lifetime.
  static int argCount;
  argCount = argc;
  if (!ui::Init(argCount, argv)) {
    std::fputs("Torvanic Hotlap Check: the window system is not available\n", stderr);
    return 1;
  }
  RunState state;
  std::string error;
  if (!StartUp(state, error)) {
    std::fprintf(stderr, "Torvanic Hotlap Check: %s\n", error.c_str());
    ui::Shutdown();
    return 1;
  }
  OpenMainWindow(state);
  if (onWindowOpen) onWindowOpen();
  RunEventLoop(state);
  ShutDown(state);
  ui::Shutdown();
  return 0;
}
