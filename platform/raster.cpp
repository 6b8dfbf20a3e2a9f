#include "platform/raster.h"

namespace platform {

bool CreateImage(int, int, int) { return false; }
bool LoadImage(int, const std::string&) { return false; }
bool LoadImageResized(int, const std::string&, int, int) { return false; }
bool CreateImageFromBmp(int, const std::uint8_t*, std::size_t) { return false; }
void ResizeImage(int, int, int) {}
bool SaveImagePng(int, const std::string&) { return false; }
bool ImageExists(int) { return false; }
int ImageWidth(int) { return 0; }
int ImageHeight(int) { return 0; }
const Image* FindImage(int) { return nullptr; }
Colour ImagePixel(int, int, int) { return 0; }
void DeleteImage(int) {}
void DeleteAllImages() {}
Image ResizeAreaAverage(const Image& in, int, int) { return in; }

void BeginDrawing(int) {}
void EndDrawing() {}
void DrawBox(int, int, int, int, Colour) {}
void DrawLine(int, int, int, int, Colour) {}
void DrawRelativeLine(int, int, int, int) {}
void Plot(int, int, Colour) {}
void FloodFill(int, int, Colour, Colour) {}
void DrawText(int, int, const std::string&, Colour, Colour) {}
void SetTransparentText() {}
int TextWidth(const std::string&) { return 0; }
void ChooseFont(int) {}

}  // namespace platform
