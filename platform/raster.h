// Numbered in-memory RGB images and the drawing operations on them.
//
// Every picture of the checker lives in an image known by a small number.
// Creating or loading under a number first discards the image of that number;
// if the operation then fails, no image of that number exists.
//
// Drawing happens between BeginDrawing(n) and EndDrawing(), on one image at
// a time. Each BeginDrawing starts with front colour black, text background
// white, opaque text, a 1-pixel pen and no font chosen. Every operation clips
// to the image: what falls outside is dropped. Drawing without a begun image
// (or on an image that does not exist) does nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A colour is r + 256 g + 65536 b.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// Largest side a loaded or created picture may have; a lying header cannot
// make us allocate more than kMaxImageSide² pixels.
constexpr int kMaxImageSide = 16384;

// Pixels row by row from the top, three bytes (r, g, b) each, no padding.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// --- decoders on bytes in memory (used by the numbered loaders) -------------
// Each returns false and leaves `out` unspecified on any fault.
bool DecodeBmp(const std::uint8_t* bytes, std::size_t size, Image& out);
bool DecodeJpeg(const std::uint8_t* bytes, std::size_t size, Image& out);
// Decodes a JPEG at the strongest DCT reduction whose output still covers
// minWidth × minHeight (the result is at least that large, or full size).
bool DecodeJpegReduced(const std::uint8_t* bytes, std::size_t size, int minWidth, int minHeight,
                       Image& out);
// Area-averaging scale of `in` to w × h.
Image ResizeAreaAverage(const Image& in, int w, int h);
// PNG: 8-bit RGB, not interlaced, filter None on every row, compression 9.
bool EncodePng(const Image& image, std::vector<std::uint8_t>& out);

// --- numbered images ---------------------------------------------------------
bool CreateImage(int n, int w, int h);                    // all black
bool LoadImage(int n, const std::string& path);           // BMP ("BM") or JPEG
// Loads a picture already scaled to w × h with area averaging. Equivalent to
// LoadImage followed by ResizeImage, but a JPEG is decoded at a reduced size.
bool LoadImageResized(int n, const std::string& path, int w, int h);
bool CreateImageFromBmp(int n, const std::uint8_t* bytes, std::size_t size);
void ResizeImage(int n, int w, int h);                    // no-op when already w × h
bool SaveImagePng(int n, const std::string& path);        // written safely (temp + rename)
bool ImageExists(int n);
int ImageWidth(int n);                                    // 0 when absent
int ImageHeight(int n);
const Image* FindImage(int n);                            // nullptr when absent
Colour ImagePixel(int n, int x, int y);                   // 0 outside or absent
void DeleteImage(int n);
void DeleteAllImages();                                   // tests and shutdown

// --- drawing -----------------------------------------------------------------
void BeginDrawing(int n);
void EndDrawing();
// Filled; columns x..x+w-1, rows y..y+h-1; negative w or h extends left or up.
void DrawBox(int x, int y, int w, int h, Colour c);
// Both end points drawn.
void DrawLine(int x1, int y1, int x2, int y2, Colour c = 0);
// Black, from (x, y) towards (x+dx, y+dy), that end point not drawn.
void DrawRelativeLine(int x, int y, int dx, int dy);
void Plot(int x, int y, Colour c);
// 4-way fill of the region holding (x, y), bounded by pixels of `outline`.
// A start pixel of the outline colour fills nothing.
void FloodFill(int x, int y, Colour outline, Colour fill);
// Text with its top-left corner at (x, y) in the chosen font. In opaque mode
// the text's cell is filled with `back` first.
void DrawText(int x, int y, const std::string& s, Colour front = 0, Colour back = 0xFFFFFF);
void SetTransparentText();
int TextWidth(const std::string& s);  // 0 for the empty text or without font
void ChooseFont(int k);

// --- fonts ---------------------------------------------------------------------
// `pattern` is a fontconfig pattern ("Arial:bold", "Lucida Console:spacing=mono").
// Pixels = points × dpi / 72, rounded.
bool LoadFont(int k, const std::string& pattern, int points, int dpi);
// Height in pixels of the text cell of font k (0 when not loaded).
int FontCellHeight(int k);
void DeleteAllFonts();

}  // namespace platform
