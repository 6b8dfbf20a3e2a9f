// Start-up until the main window is shown, over the Qt backend (offscreen).
//
// startup/in_process: the window system made ready once (ui::Init); each
//   iteration runs StartUp (RunState, FileBuffer, both fonts, the placeholder)
//   and OpenMainWindow, then lets Qt handle its events once (show, expose,
//   first paint). ShutDown runs outside the timing. Warm: Qt's and
//   fontconfig's caches stay filled between iterations.
// startup/process_to_window: the whole program as a process: from just
//   before posix_spawn of the probe (RunChecker with a hook) to the moment the
//   hook runs, the window shown and painted once. The probe then closes its
//   window and exits; that part is not timed.
// startup/process_to_main: the same spawn up to the first line of main: what
//   the loader and the libraries' start cost before the program does anything.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/start_up.h"
#include "bench/ratio_report.h"
#include "platform/ui.h"

extern char** environ;

namespace {

long long SteadyNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void StartUpInProcess(benchmark::State& st) {
  for (auto _ : st) {
    RunState s;
    std::string error;
    if (!StartUp(s, error)) {
      st.SkipWithError(("start-up failed: " + error).c_str());
      break;
    }
    OpenMainWindow(s);
    (void)ui::WaitEvent(0);  // one pass over the window system's events
    st.PauseTiming();
    ShutDown(s);
    st.ResumeTiming();
  }
}

// Spawns the probe with `argument` (or none) and returns the nanoseconds from
// just before the spawn to the clock value it prints; -1 on failure.
double SpawnProbe(const char* argument) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  // Qt's notes about the offscreen session would interleave with the table.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> args;
  static char probe[] = THC_STARTUP_PROBE;
  args.push_back(probe);
  if (argument) args.push_back(const_cast<char*>(argument));
  args.push_back(nullptr);
  const long long start = SteadyNow();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, probe, &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return -1;
  }
  std::string out;
  char buffer[64];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.empty()) return -1;
  return static_cast<double>(std::atoll(out.c_str()) - start);
}

void StartUpProcess(benchmark::State& st, const char* argument) {
  for (auto _ : st) {
    const double ns = SpawnProbe(argument);
    if (ns < 0) {
      st.SkipWithError("the probe did not report its clock");
      break;
    }
    st.SetIterationTime(ns / 1e9);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // No display is needed; the probe inherits the setting.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (!ui::Init(argc, argv)) {
    std::fprintf(stderr, "the window system is not available\n");
    return 1;
  }
  benchmark::RegisterBenchmark("startup/in_process", StartUpInProcess)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("startup/process_to_window", StartUpProcess, nullptr)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime();
  benchmark::RegisterBenchmark("startup/process_to_main", StartUpProcess, "--at-main")
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime();
  const std::vector<bench::RatioTarget> ratios = {
      {"process to window / process to main", "startup/process_to_window",
       "startup/process_to_main", 0},
  };
  const int code = bench::RunAndReport(ratios, {});
  benchmark::Shutdown();
  ui::Shutdown();
  return code;
}
