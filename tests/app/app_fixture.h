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

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
    InitRunState(s, "/");
    platform::LoadFont(kMapFont, "Lucida Console:spacing=mono", 12, 96);
    platform::LoadFont(kLabelFont, "Arial:bold", 10, 96);
    const auto& bmp = PlaceholderBmp();
    platform::CreateImageFromBmp(kPlaceholderImage, bmp.data(), bmp.size());
    OpenMainWindow(s);
  }

  RunState s;
};
