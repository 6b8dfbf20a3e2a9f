#include "app/main_window.h"

#include "app/entry_pipeline.h"
#include "app/screenshot_viewer.h"
#include "entries/entries.h"
#include "game/game.h"
#include "reports/reports.h"

namespace {

// The window's fixed layout, in client-area pixels.
constexpr int kWindowX = 5;
constexpr int kWindowY = 5;
constexpr int kClientWidth = 1010;
constexpr int kClientHeight = 720;

void CreateLogEditor() { ui::CreateTextEditor(kLogEditor, kMainWindow, 5, 370, 480, 195); }
void CreateTrackMapView() { ui::CreateImageView(kTrackMapView, kMainWindow, 490, 5, 512, 560); }
void CreateScreenshotView() { ui::CreateImageView(kScreenshotView, kMainWindow, 5, 5, 480, 360); }
void CreatePenaltyField() {
  ui::CreateTextField(kPenaltyField, kMainWindow, 620, 660, 80, 24, "6000");
}
void CreateStepButton() { ui::CreateButton(kStepButton, kMainWindow, 510, 660, 50, 24, "Load"); }
void CreateActionButton() {
  ui::CreateButton(kActionButton, kMainWindow, 720, 660, 50, 24, "Penalty");
}
void CreateProgressView() { ui::CreateImageView(kProgressView, kMainWindow, 490, 598, 512, 30); }
void CreateSettingsView() { ui::CreateImageView(kSettingsView, kMainWindow, 5, 570, 480, 140); }

// Load: choose the folder, start RunLog with its log and show the first entry.
void Load(RunState& s) {
  ChooseHotlapFolder(s);
  s.RunLog = s.LineBreak + s.LineBreak + ui::Text(kLogEditor) + s.LineBreak + kDashLine +
             s.LineBreak;
  s.EntryCursor = -1;
  s.EntryNumber = 1;
  RunEntryPipeline(s);
  ui::SetText(kStepButton, "Next");
}

// Next: keep the log of the entry being left, with the user's edits.
void Next(RunState& s) {
  s.EntryNumber = static_cast<std::int8_t>(s.EntryNumber + 1);
  s.RunLog += ui::Text(kLogEditor);
  RunEntryPipeline(s);
}

// End: the checks and reports that span all entries.
void End(RunState& s) {
  s.RunLog += ui::Text(kLogEditor);
  s.EntryNumber = kEndEntryNumber;
  CheckTrackIdentities(s);
  WriteResultsReport(s);
  DrawResultsChart(s);
  ui::SetText(kStepButton, "End");
  ui::SetText(kActionButton, "Google");
}

}  // namespace

void OpenMainWindow(RunState& /*s*/) {
  ui::OpenMainWindow(kMainWindow, kMainWindowTitle, kWindowX, kWindowY, kClientWidth,
                     kClientHeight);
  CreateLogEditor();
  CreateTrackMapView();
  CreateScreenshotView();
  CreatePenaltyField();
  CreateStepButton();
  CreateActionButton();
  CreateProgressView();
  CreateSettingsView();
}

void PressStepButton(RunState& s) {
  const int entryCount = static_cast<int>(s.EntryList.size());
  if (s.EntryNumber == 0) {
    Load(s);
  } else if (s.EntryNumber >= 1 && s.EntryNumber < entryCount) {
    Next(s);
  } else if (s.EntryNumber >= 1 && s.EntryNumber < kEndEntryNumber) {
    End(s);
  } else {
    s.QuitRequested = true;
  }
}

void PressActionButton(RunState& s) {
  if (s.EntryNumber != kEndEntryNumber) {
    MarkPenalty(s);
  } else if (s.ChartText.empty()) {
    ComposeChartText(s);
    ui::SetText(kActionButton, "Clip");
  } else {
    CopyChartText(s);
  }
}

bool HandleMainWindowEvent(RunState& s, const ui::Event& event) {
  if (event.kind == ui::EventKind::ControlActivated) {
    switch (event.control) {
      case kScreenshotView:
        OpenScreenshotViewer(s);
        break;
      case kStepButton:
        PressStepButton(s);
        break;
      case kActionButton:
        PressActionButton(s);
        break;
      default:
        break;
    }
  }
  if (event.kind == ui::EventKind::WindowClosed && event.window == kMainWindow) return true;
  return s.QuitRequested;
}

void RunEventLoop(RunState& s) {
  while (!HandleMainWindowEvent(s, ui::WaitEvent())) {
  }
}
