#include "app/screenshot_viewer.h"

#include "platform/raster.h"
#include "platform/ui.h"

void OpenScreenshotViewer(RunState& s) {
  bool done = false;
  if (!s.ScreenshotFileName) return;
  if (!platform::LoadImage(kFullScreenshotImage, s.EntryFolderPath + *s.ScreenshotFileName)) {
    return;
  }
  const int w = platform::ImageWidth(kFullScreenshotImage);
  const int h = platform::ImageHeight(kFullScreenshotImage);

  ui::OpenOwnedWindow(kViewerWindow, kMainWindow, "Screen " + Decimal(w) + " x " + Decimal(h), 1,
                      1, w, h);
  ui::CreateImageView(kViewerPicture, kViewerWindow, 0, 0, w, h);
  ui::ShowImage(kViewerPicture, kFullScreenshotImage);

  // Takes every event of the program until the viewer closes: a button press
  // in the main window is dropped here, and a close of the main window
  // closes the viewer, not the program.
  for (;;) {
    const ui::Event event = ui::WaitEvent();
    if (event.kind == ui::EventKind::ControlActivated && event.control == kViewerPicture) {
      done = true;
    }
    if (event.kind == ui::EventKind::WindowClosed || done) break;
  }
  ui::CloseWindow(kViewerWindow);
}
