// Torvanic Hotlap Check: start-up, the main window's event loop, shutdown.
#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/start_up.h"
#include "platform/ui.h"

int main(int argc, char** argv) {
  if (!ui::Init(argc, argv)) {
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
  RunEventLoop(state);
  ShutDown(state);
  ui::Shutdown();
  return 0;
}
