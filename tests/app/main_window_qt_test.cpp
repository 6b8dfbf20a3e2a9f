// The real Qt window, offscreen: its title, client size and controls, and a
// close that ends the program with exit code 0.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "app/checker.h"
#include "app/main_window.h"
#include "app/run_state.h"
#include "platform/ui.h"
#include "tests/app/window_layout.h"

namespace {

void UseOffscreenPlatform() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }

// Runs the whole program in a child process, looks at the window once it is
// open, queues a close and returns the child's exit status; the child's own
// exit code tells whether every check held (0) or which failed (2 up).
int RunCheckedProgram() {
  const pid_t pid = fork();
  if (pid == 0) {
    UseOffscreenPlatform();
    char name[] = "torvanic-hotlap-check";
    char* argv[] = {name, nullptr};
    int failure = 0;
    const int code = RunChecker(1, argv, [&failure] {
      if (ui::WindowTitle(kMainWindow) != kMainWindowTitle) failure = 2;
      const ui::Rect client = ui::WindowClientRect(kMainWindow);
      if (client.width != 1010 || client.height != 720) failure = 3;
      for (const ExpectedControl& e : kMainWindowLayout) {
        if (ui::KindOf(e.control) != e.kind || !(ui::ControlRect(e.control) == e.rect) ||
            ui::Text(e.control) != e.text || ui::ControlWindow(e.control) != kMainWindow) {
          failure = 10 + e.control;
        }
      }
      ui::RequestClose(kMainWindow);
    });
    _exit(failure != 0 ? failure : code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(MainWindowQt, OpensWithItsLayoutAndClosesWithExitCodeZero) {
  EXPECT_EQ(RunCheckedProgram(), 0);
}

}  // namespace
