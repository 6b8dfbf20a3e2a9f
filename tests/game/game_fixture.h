// A fresh headless run for the game checks: UI, images and RunState reset,
// the label font loaded as at start-up, the main window open (log editor,
// penalty field, settings view).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/run_state.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/headless_run.h"

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::StartHeadlessRun(s);
  }

  // The log editor's lines.
  static std::vector<std::string> LogLines() { return fixtures::LogLines(); }

  RunState s;
};
