#include "app/start_up.h"

#include "app/placeholder_image.h"
#include "platform/files.h"
#include "platform/raster.h"
#include "platform/ui.h"

bool StartUp(RunState& s, std::string& error) {
  InitRunState(s, platform::WorkingDirectory());

  const int dpi = ui::ScreenDpi();
  // "Lucida Console" is rarely installed outside Windows; asking for a
  // monospace face makes fontconfig fall back to one.
  if (!platform::LoadFont(kMapFont, "Lucida Console:spacing=mono", 12, dpi)) {
    error = "no monospace font (Lucida Console or a substitute) could be loaded";
    return false;
  }
  if (!platform::LoadFont(kLabelFont, "Arial:bold", 10, dpi)) {
    error = "no font for Arial bold (Liberation Sans Bold) could be loaded";
    return false;
  }
  const auto& placeholder = PlaceholderBmp();
  if (!platform::CreateImageFromBmp(kPlaceholderImage, placeholder.data(), placeholder.size())) {
    error = "the placeholder picture could not be made";
    return false;
  }
  return true;
}

void ShutDown(RunState& s) {
  ui::CloseWindow(kViewerWindow);
  ui::CloseWindow(kMainWindow);
  platform::DeleteAllImages();
  platform::DeleteAllFonts();
  s.FileBuffer.clear();
  s.FileBuffer.shrink_to_fit();
}
