// The real program (RunChecker over the Qt backend) with one hook: once the
// main window is shown and the window system has had one pass over its
// events, it prints the steady clock in nanoseconds on stdout and asks the
// window to close, so the process ends as if the user had closed it.
//
// With the argument "--at-main" it prints the clock on entering main and
// exits: the cost of starting a process that loads the same libraries.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/checker.h"
#include "app/run_state.h"
#include "platform/ui.h"

namespace {

void PrintClock() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::printf("%lld\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--at-main") == 0) {
    PrintClock();
    return 0;
  }
  return RunChecker(argc, argv, [] {
    (void)ui::WaitEvent(0);  // show, expose and first paint
    PrintClock();
    ui::RequestClose(kMainWindow);
  });
}
