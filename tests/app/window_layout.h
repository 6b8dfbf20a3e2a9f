// The main window's controls as they stand right after it opens.
#pragma once

#include "app/run_state.h"
#include "platform/ui.h"

struct ExpectedControl {
  int control;
  ui::ControlKind kind;
  ui::Rect rect;
  const char* text;
};

inline constexpr ExpectedControl kMainWindowLayout[] = {
    {kLogEditor, ui::ControlKind::TextEditor, {5, 370, 480, 195}, ""},
    {kTrackMapView, ui::ControlKind::ImageView, {490, 5, 512, 560}, ""},
    {kScreenshotView, ui::ControlKind::ImageView, {5, 5, 480, 360}, ""},
    {kPenaltyField, ui::ControlKind::TextField, {620, 660, 80, 24}, "6000"},
    {kStepButton, ui::ControlKind::Button, {510, 660, 50, 24}, "Load"},
    {kActionButton, ui::ControlKind::Button, {720, 660, 50, 24}, "Penalty"},
    {kProgressView, ui::ControlKind::ImageView, {490, 598, 512, 30}, ""},
    {kSettingsView, ui::ControlKind::ImageView, {5, 570, 480, 140}, ""},
};
