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
#include "tests/fixtures/temp_dir.h"

class ReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
    InitRunState(s, "/");
    platform::LoadFont(kMapFont, "Lucida Console:spacing=mono", 12, 96);
    platform::LoadFont(kLabelFont, "Arial:bold", 10, 96);
    OpenMainWindow(s);
    s.HotlapFolder = hotlap.path();
    s.TrackBaseName = "Oval";
    s.EntryNumber = kEndEntryNumber;
  }

  // The width of `text` in the label font, measured on a scratch image.
  static int LabelWidth(const std::string& text) {
    constexpr int kScratch = 60;
    platform::CreateImage(kScratch, 1, 1);
    platform::BeginDrawing(kScratch);
    platform::ChooseFont(kLabelFont);
    const int w = platform::TextWidth(text);
    platform::EndDrawing();
    platform::DeleteImage(kScratch);
    return w;
  }

  fixtures::TempDir hotlap;
  RunState s;
};
