#include <filesystem>
#include <string>

#include "app/entry_pipeline.h"
#include "tests/app/app_fixture.h"
#include "tests/app/window_layout.h"
#include "tests/fixtures/temp_dir.h"

namespace {

const std::string kCrLf = "\r\n";

using MainWindow = AppTest;

TEST_F(MainWindow, ControlsStartAsTheLayoutGivesThem) {
  EXPECT_EQ(ui::WindowTitle(kMainWindow), "Torvanic Hotlap Check");
  for (const ExpectedControl& e : kMainWindowLayout) {
    SCOPED_TRACE(e.control);
    EXPECT_EQ(ui::KindOf(e.control), e.kind);
    EXPECT_EQ(ui::ControlRect(e.control), e.rect);
    EXPECT_EQ(ui::Text(e.control), e.text);
    EXPECT_EQ(ui::ControlWindow(e.control), kMainWindow);
  }
}

// Ready -> Showing -> Finished -> quit with a cancelled chooser: Load still
// runs the pipeline once (no entry), and the next press is End.
TEST_F(MainWindow, StateMachineWithoutEntries) {
  ui::headless::SetChooserAnswer("");
  PressStepButton(s);
  EXPECT_EQ(s.EntryNumber, 1);
  EXPECT_EQ(ui::Text(kStepButton), "Next");
  EXPECT_EQ(ui::Text(kActionButton), "Penalty");
  EXPECT_TRUE(ui::IsEnabled(kStepButton));
  // Nothing was logged by the chooser, so the head of RunLog is empty.
  EXPECT_EQ(s.RunLog, kCrLf + kCrLf + kCrLf + kDashLine + kCrLf);

  const std::string entryText = ui::Text(kLogEditor);
  EXPECT_EQ(entryText.substr(0, 1), " ");
  EXPECT_EQ(entryText.substr(entryText.size() - kDashLine.size()), kDashLine);

  const std::string head = s.RunLog;
  PressStepButton(s);  // End
  EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
  EXPECT_EQ(ui::Text(kStepButton), "End");
  EXPECT_EQ(ui::Text(kActionButton), "Google");
  EXPECT_FALSE(s.QuitRequested);
  // The identity check put its line in front, then the ranking (none).
  EXPECT_NE(s.RunLog.find(head + entryText), std::string::npos);

  PressActionButton(s);  // Google
  EXPECT_EQ(ui::Text(kActionButton), "Clip");

  PressStepButton(s);
  EXPECT_TRUE(s.QuitRequested);
}

// Without a chosen folder there is no place for the reports: nothing may
// land in the working directory (the path would be just ".txt").
TEST_F(MainWindow, CancelledChooserWritesNoReportFiles) {
  fixtures::TempDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  ui::headless::SetChooserAnswer("");
  PressStepButton(s);  // Load
  PressStepButton(s);  // End
  std::filesystem::current_path(previous);
  EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  // The report still shows in the editor, and the chart in the map view.
  EXPECT_NE(ui::Text(kLogEditor).find("Track><Games: ok"), std::string::npos);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
}

TEST_F(MainWindow, WithOneEntryTheSecondPressIsEnd) {
  fixtures::TempDir dir;
  dir.MakeFolder("hotlap/Solo");
  ui::headless::SetChooserAnswer(dir.path() + "hotlap");
  PressStepButton(s);
  EXPECT_EQ(s.EntryNumber, 1);
  EXPECT_EQ(ui::Text(kStepButton), "Next");
  PressStepButton(s);
  EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
  EXPECT_EQ(ui::Text(kStepButton), "End");
}

TEST_F(MainWindow, TextTypedIntoAnEntryBecomesPartOfRunLog) {
  ui::headless::SetChooserAnswer("");
  PressStepButton(s);
  ui::headless::TypeText(kLogEditor, "edited by the organiser");
  const std::string before = s.RunLog;
  PressStepButton(s);  // End
  EXPECT_NE(s.RunLog.find(before + "edited by the organiser"), std::string::npos);
}

TEST_F(MainWindow, PenaltyBeforeLoadMarksTheEmptyGhost) {
  // GhostTime is 0 before any track: every "0" of the typed text goes.
  ui::headless::TypeText(kLogEditor, "a0b0");
  ui::headless::TypeText(kPenaltyField, "X");
  PressActionButton(s);
  EXPECT_EQ(ui::Text(kLogEditor), "aXbX");
  EXPECT_EQ(s.EntryNumber, 0);
}

TEST_F(MainWindow, PipelineResetsPenaltyFieldAndReenablesStep) {
  ui::headless::TypeText(kPenaltyField, "4711");
  RunEntryPipeline(s);
  EXPECT_EQ(ui::Text(kPenaltyField), "6000");
  EXPECT_TRUE(ui::IsEnabled(kStepButton));
}

TEST_F(MainWindow, ClosingTheWindowEndsTheLoopInEveryState) {
  const ui::Event close{ui::EventKind::WindowClosed, -1, kMainWindow};
  EXPECT_TRUE(HandleMainWindowEvent(s, close));  // Ready
  ui::headless::SetChooserAnswer("");
  PressStepButton(s);
  EXPECT_TRUE(HandleMainWindowEvent(s, close));  // Showing
  PressStepButton(s);
  EXPECT_TRUE(HandleMainWindowEvent(s, close));  // Finished
}

TEST_F(MainWindow, OtherEventsAndControlsAreIgnored) {
  EXPECT_FALSE(HandleMainWindowEvent(s, {ui::EventKind::Other, -1, -1}));
  EXPECT_FALSE(HandleMainWindowEvent(s, {ui::EventKind::ControlActivated, kLogEditor, -1}));
  EXPECT_FALSE(HandleMainWindowEvent(s, {ui::EventKind::ControlActivated, kTrackMapView, -1}));
  EXPECT_EQ(s.EntryNumber, 0);
}

TEST_F(MainWindow, ScriptedRunThroughTheEventLoop) {
  ui::headless::SetChooserAnswer("");
  for (int i = 0; i < 3; ++i) ui::headless::QueueActivation(kStepButton);  // Load, End, quit
  ui::headless::QueueActivation(kActionButton);  // never reached: the loop ended
  RunEventLoop(s);
  EXPECT_TRUE(s.QuitRequested);
  EXPECT_EQ(ui::headless::QueuedEventCount(), 1);
}

}  // namespace
