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

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
    InitRunState(s, "/");
    platform::LoadFont(kLabelFont, "Arial:bold", 10, 96);
    OpenMainWindow(s);
  }

  // The log editor's lines.
  static std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    const std::string text = ui::Text(kLogEditor);
    if (text.empty()) return lines;
    std::size_t from = 0;
    for (;;) {
      const std::size_t at = text.find("\r\n", from);
      lines.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
      if (at == std::string::npos) return lines;
      from = at + 2;
    }
  }

  RunState s;
};
