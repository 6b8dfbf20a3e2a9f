#include <gtest/gtest.h>

#include "platform/raster.h"
#include "platform/ui_headless.h"

namespace {

class HeadlessUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
    ui::OpenMainWindow(0, "Main", 10, 20, 640, 480);
  }
  void TearDown() override { platform::DeleteAllImages(); }
};

TEST_F(HeadlessUiTest, EditorKeepsLinesAndJoinsThemWithCrLf) {
  ui::CreateTextEditor(5, 0, 0, 0, 100, 100);
  EXPECT_EQ(ui::Text(5), "");

  ui::AppendLine(5, "one");
  ui::AppendLine(5, "");
  ui::AppendLine(5, "three");
  EXPECT_EQ(ui::Text(5), "one\r\n\r\nthree");

  ui::ClearText(5);
  EXPECT_EQ(ui::Text(5), "");
  // After a clear there is no line left: an empty line appended is the only
  // one, and the next line follows it after one break.
  ui::AppendLine(5, "");
  EXPECT_EQ(ui::Text(5), "");
  ui::AppendLine(5, "x");
  EXPECT_EQ(ui::Text(5), "\r\nx");
}

TEST_F(HeadlessUiTest, EditorSetTextSplitsAtEveryKindOfBreak) {
  ui::CreateTextEditor(5, 0, 0, 0, 100, 100);
  const struct {
    const char* in;
    const char* text;
  } cases[] = {
      {"a\r\nb", "a\r\nb"},
      {"a\nb\rc", "a\r\nb\r\nc"},
      {"a\r\n", "a\r\n"},  // a trailing break keeps an empty last line
      {"", ""},
  };
  for (const auto& c : cases) {
    ui::SetText(5, c.in);
    EXPECT_EQ(ui::Text(5), c.text) << c.in;
  }
  ui::SetText(5, "a\r\n");
  ui::AppendLine(5, "b");
  EXPECT_EQ(ui::Text(5), "a\r\n\r\nb");
}

TEST_F(HeadlessUiTest, FieldAndButtonHoldOneText) {
  ui::CreateTextField(20, 0, 1, 2, 30, 40, "6000");
  ui::CreateButton(11, 0, 5, 6, 70, 80, "Load");
  EXPECT_EQ(ui::Text(20), "6000");
  EXPECT_EQ(ui::Text(11), "Load");
  ui::headless::TypeText(20, "7000");
  ui::SetText(11, "Next");
  EXPECT_EQ(ui::Text(20), "7000");
  EXPECT_EQ(ui::Text(11), "Next");
  EXPECT_EQ(ui::KindOf(20), ui::ControlKind::TextField);
  EXPECT_EQ(ui::KindOf(11), ui::ControlKind::Button);
  EXPECT_EQ(ui::ControlRect(11), (ui::Rect{5, 6, 70, 80}));
  EXPECT_EQ(ui::ControlWindow(11), 0);

  EXPECT_TRUE(ui::IsEnabled(11));
  ui::SetEnabled(11, false);
  EXPECT_FALSE(ui::IsEnabled(11));
}

TEST_F(HeadlessUiTest, NumbersAreReplacedRemovedAndClosedWithTheirWindow) {
  ui::CreateButton(11, 0, 0, 0, 10, 10, "Load");
  ui::CreateTextEditor(11, 0, 1, 1, 20, 20);
  EXPECT_EQ(ui::KindOf(11), ui::ControlKind::TextEditor);
  EXPECT_EQ(ui::Text(11), "");

  ui::MoveControl(11, 5, 10, 480, 628);
  EXPECT_EQ(ui::ControlRect(11), (ui::Rect{5, 10, 480, 628}));
  ui::RemoveControl(11);
  EXPECT_FALSE(ui::ControlExists(11));
  EXPECT_EQ(ui::KindOf(11), ui::ControlKind::None);
  EXPECT_EQ(ui::ControlWindow(11), -1);
  // Operations on a missing number do nothing.
  ui::SetText(11, "x");
  ui::AppendLine(11, "x");
  EXPECT_EQ(ui::Text(11), "");

  ui::OpenOwnedWindow(1, 0, "Screen 2 x 3", 1, 1, 2, 3);
  ui::CreateImageView(100, 1, 0, 0, 2, 3);
  ui::CreateButton(14, 0, 0, 0, 10, 10, "Penalty");
  EXPECT_EQ(ui::WindowTitle(1), "Screen 2 x 3");
  EXPECT_EQ(ui::WindowClientRect(1), (ui::Rect{1, 1, 2, 3}));
  EXPECT_EQ(ui::headless::WindowOwner(1), 0);
  EXPECT_EQ(ui::headless::WindowOwner(0), -1);

  ui::CloseWindow(1);
  EXPECT_FALSE(ui::WindowExists(1));
  EXPECT_FALSE(ui::ControlExists(100));
  EXPECT_TRUE(ui::ControlExists(14));
  EXPECT_EQ(ui::WindowTitle(1), "");
}

TEST_F(HeadlessUiTest, ImageViewTakesTheImageSizeAndKeepsItsCorner) {
  ui::CreateImageView(0, 0, 5, 7, 480, 360);
  EXPECT_EQ(ui::ShownImage(0), -1);

  ui::ShowImage(0, 3);  // no such image: nothing changes
  EXPECT_EQ(ui::ShownImage(0), -1);
  EXPECT_EQ(ui::ControlRect(0), (ui::Rect{5, 7, 480, 360}));

  ASSERT_TRUE(platform::CreateImage(3, 120, 90));
  ui::ShowImage(0, 3);
  EXPECT_EQ(ui::ShownImage(0), 3);
  EXPECT_EQ(ui::ControlRect(0), (ui::Rect{5, 7, 120, 90}));
}

TEST_F(HeadlessUiTest, ScriptedEventsComeInOrderThenTheWindowCloses) {
  ui::headless::QueueActivation(11);
  ui::headless::QueueClose(1);
  ui::headless::QueuePendingEvent({ui::EventKind::ControlActivated, 14, -1});
  EXPECT_EQ(ui::headless::QueuedEventCount(), 3);

  // A timed wait takes only what arrived while the program was busy.
  ui::Event e = ui::WaitEvent(100);
  EXPECT_EQ(e.kind, ui::EventKind::ControlActivated);
  EXPECT_EQ(e.control, 14);
  EXPECT_EQ(ui::WaitEvent(100).kind, ui::EventKind::None);

  e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::ControlActivated);
  EXPECT_EQ(e.control, 11);
  ui::RequestClose(0);  // goes behind what is scripted
  e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::WindowClosed);
  EXPECT_EQ(e.window, 1);
  e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::WindowClosed);
  EXPECT_EQ(e.window, 0);

  // An empty script ends a run by closing the main window.
  e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::WindowClosed);
  EXPECT_EQ(e.window, 0);
  EXPECT_EQ(ui::headless::QueuedEventCount(), 0);
}

TEST_F(HeadlessUiTest, ChooserGivesTheScriptedAnswerAndRecordsTheCall) {
  EXPECT_EQ(ui::ChooseFolder("Pick", "/start/"), "");
  ui::headless::SetChooserAnswer("/hotlap/");
  EXPECT_EQ(ui::ChooseFolder("Hotlap folder", "/work/"), "/hotlap/");
  EXPECT_EQ(ui::headless::LastChooserTitle(), "Hotlap folder");
  EXPECT_EQ(ui::headless::LastChooserStart(), "/work/");
  EXPECT_EQ(ui::headless::ChooserCallCount(), 2);
}

TEST_F(HeadlessUiTest, ClipboardHoldsBytesUnlessUnavailable) {
  const std::string text = "chs=600x400&chd=t:\xE4\x80";
  EXPECT_TRUE(ui::SetClipboardText(text));
  EXPECT_EQ(ui::ClipboardText(), text);
  ui::headless::SetClipboardAvailable(false);
  EXPECT_FALSE(ui::SetClipboardText("other"));
  EXPECT_EQ(ui::ClipboardText(), text);
}

TEST_F(HeadlessUiTest, ResetForgetsEverything) {
  ui::CreateButton(11, 0, 0, 0, 10, 10, "Load");
  ui::headless::QueueActivation(11);
  ui::headless::SetChooserAnswer("/x/");
  ui::SetClipboardText("clip");
  ui::headless::SetClipboardAvailable(false);
  ui::headless::Reset();
  EXPECT_FALSE(ui::WindowExists(0));
  EXPECT_FALSE(ui::ControlExists(11));
  EXPECT_EQ(ui::headless::QueuedEventCount(), 0);
  EXPECT_EQ(ui::ChooseFolder("t", "s"), "");
  EXPECT_EQ(ui::ClipboardText(), "");
  EXPECT_TRUE(ui::SetClipboardText("ok"));
  EXPECT_EQ(ui::ScreenDpi(), 96);
}

}  // namespace
