// A fresh headless run: UI, images and RunState reset, fonts and the
// placeholder made as at start-up, the main window open.
#pragma once

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/placeholder_image.h"
#include "app/run_state.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/headless_run.h"

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override { fixtures::StartHeadlessRun(s); }

  RunState s;
};
