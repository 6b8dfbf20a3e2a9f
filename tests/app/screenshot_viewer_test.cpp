#include "app/screenshot_viewer.h"

#include "tests/app/app_fixture.h"
#include "tests/fixtures/temp_dir.h"

namespace {

class ScreenshotViewer : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // The placeholder picture is a valid 32 × 32 BMP of our own.
    dir.WriteFile("Anna/shot.bmp", PlaceholderBmp());
    s.EntryFolderPath = dir.path() + "Anna/";
    s.ScreenshotFileName = "shot.bmp";
  }
  fixtures::TempDir dir;
};

TEST_F(ScreenshotViewer, NothingWithoutAScreenshot) {
  s.ScreenshotFileName.reset();
  ui::headless::QueueActivation(kViewerPicture);
  OpenScreenshotViewer(s);
  EXPECT_FALSE(ui::WindowExists(kViewerWindow));
  EXPECT_FALSE(platform::ImageExists(kFullScreenshotImage));
  EXPECT_EQ(ui::headless::QueuedEventCount(), 1);  // no loop ran
}

TEST_F(ScreenshotViewer, NothingWhenThePictureDoesNotLoad) {
  dir.WriteFile("Anna/shot.bmp", std::string("BM broken"));
  OpenScreenshotViewer(s);
  EXPECT_FALSE(ui::WindowExists(kViewerWindow));
}

TEST_F(ScreenshotViewer, NothingBeforeLoad) {
  RunState fresh;
  InitRunState(fresh, "/");
  ui::headless::QueueActivation(kScreenshotView);
  EXPECT_FALSE(HandleMainWindowEvent(fresh, ui::WaitEvent()));
  EXPECT_FALSE(ui::WindowExists(kViewerWindow));
}

// Each row: the event that ends the viewer, and the events it drops first.
TEST_F(ScreenshotViewer, ClosesOnPictureClickOrAnyWindowClose) {
  const ui::Event clickPicture{ui::EventKind::ControlActivated, kViewerPicture, -1};
  const ui::Event closeViewer{ui::EventKind::WindowClosed, -1, kViewerWindow};
  const ui::Event closeMain{ui::EventKind::WindowClosed, -1, kMainWindow};
  for (const ui::Event& ending : {clickPicture, closeViewer, closeMain}) {
    ui::headless::QueueActivation(kStepButton);  // dropped while the viewer is open
    ui::headless::QueueEvent(ending);
    ui::headless::QueueActivation(kActionButton);  // left for the main loop
    OpenScreenshotViewer(s);
    EXPECT_TRUE(platform::ImageExists(kFullScreenshotImage));
    EXPECT_FALSE(ui::WindowExists(kViewerWindow));
    EXPECT_FALSE(ui::ControlExists(kViewerPicture));
    EXPECT_EQ(ui::headless::QueuedEventCount(), 1);
    EXPECT_EQ(s.EntryNumber, 0);  // the step press was not acted on
    ui::WaitEvent();
  }
}

TEST_F(ScreenshotViewer, OpensBorderlessAtFullSizeOwnedByTheMainWindow) {
  struct Seen {
    bool exists = false;
    std::string title;
    ui::Rect client, picture;
    int owner = -1;
    int shown = -1;
  } seen;
  ui::headless::QueueActivation(kViewerPicture);
  ui::headless::SetWaitHook([&seen] {
    if (seen.exists) return;
    seen.exists = ui::WindowExists(kViewerWindow);
    seen.title = ui::WindowTitle(kViewerWindow);
    seen.client = ui::WindowClientRect(kViewerWindow);
    seen.picture = ui::ControlRect(kViewerPicture);
    seen.owner = ui::headless::WindowOwner(kViewerWindow);
    seen.shown = ui::ShownImage(kViewerPicture);
  });
  OpenScreenshotViewer(s);
  ui::headless::SetWaitHook({});
  EXPECT_TRUE(seen.exists);
  EXPECT_EQ(seen.title, "Screen 32 x 32");
  EXPECT_EQ(seen.client, (ui::Rect{1, 1, 32, 32}));
  EXPECT_EQ(seen.picture, (ui::Rect{0, 0, 32, 32}));
  EXPECT_EQ(seen.owner, kMainWindow);
  EXPECT_EQ(seen.shown, kFullScreenshotImage);
  // After the viewer closed, the picture stays in memory at its stored size.
  EXPECT_EQ(platform::ImageWidth(kFullScreenshotImage), 32);
  EXPECT_FALSE(ui::WindowExists(kViewerWindow));
  EXPECT_TRUE(ui::WindowExists(kMainWindow));
}

}  // namespace
