// A fresh headless run at End: UI and images reset, RunState as at start-up,
// the label font loaded, the main window open with all its controls, and a
// temporary hotlap folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app/run_state.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_headless.h"
#include "reports/reports.h"
#include "tests/fixtures/headless_run.h"
#include "tests/fixtures/temp_dir.h"

class ReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::StartHeadlessRun(s);
    s.HotlapFolder = hotlap.path();
    s.TrackBaseName = "Oval";
    s.EntryNumber = kEndEntryNumber;
  }

  // The width of `text` in the label font.
  static int LabelWidth(const std::string& text) {
    return fixtures::TextWidthIn(kLabelFont, text);
  }

  fixtures::TempDir hotlap;
  RunState s;
};
