// Fonts and text drawing through fontconfig (which face a pattern names) and
// FreeType (glyph outlines rendered as 8-bit coverage).
//
// A text's cell: height = ascender − descender of the font's size (FreeType
// size metrics, whole pixels), width = the sum of the glyphs' advances (whole
// pixels, no kerning). The cell's top-left corner is the text's position and
// the baseline lies `ascender` rows below it. Texts are Windows-1252 bytes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/codepage.h"
#include "platform/raster.h"
#include "platform/raster_internal.h"

namespace platform {

namespace {

// One byte's glyph, rendered once per font.
struct Glyph {
  bool ready = false;
  int advance = 0;  // pixels
  int left = 0;     // from the pen to the bitmap's first column
  int top = 0;      // from the baseline up to the bitmap's first row
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;  // width × rows, 0 to 255
};

struct Font {
  FT_Face face = nullptr;
  int ascender = 0;   // pixels above the baseline
  int descender = 0;  // pixels below it, negative
  std::array<Glyph, 256> glyphs;
  ~Font() {
    if (face != nullptr) FT_Done_Face(face);
  }
};

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

std::map<int, std::unique_ptr<Font>>& Fonts() {
  static std::map<int, std::unique_ptr<Font>> fonts;
  return fonts;
}

Font* FindFont(int k) {
  const auto it = Fonts().find(k);
  return it == Fonts().end() ? nullptr : it->second.get();
}

// The file and face index fontconfig chooses for `pattern`.
bool MatchFont(const std::string& pattern, std::string& file, int& index) {
  static FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return false;
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
  if (pat == nullptr) return false;
  FcConfigSubstitute(config, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pat, &result);
  FcPatternDestroy(pat);
  if (match == nullptr) return false;
  FcChar8* path = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
  if (found) {
    file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  }
  FcPatternDestroy(match);
  return found;
}

const Glyph& GlyphOf(Font& font, unsigned char byte) {
  Glyph& g = font.glyphs[byte];
  if (g.ready) return g;
  g.ready = true;
  const FT_UInt index = FT_Get_Char_Index(font.face, Cp1252CodePoint(byte));
  if (FT_Load_Glyph(font.face, index, FT_LOAD_RENDER) != 0) return g;
  const FT_GlyphSlot slot = font.face->glyph;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.buffer == nullptr) return g;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
  const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
  for (int r = 0; r < g.rows; ++r) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
    for (int c = 0; c < g.width; ++c) {
      g.coverage[static_cast<std::size_t>(r) * g.width + c] =
          static_cast<std::uint8_t>(src[c] * 255 / levels);
    }
  }
  return g;
}

Font* CurrentFont() { return FindFont(internal::Drawing().font); }

std::int64_t WidthIn(Font& font, const std::string& s) {
  std::int64_t width = 0;
  for (const char ch : s) width += GlyphOf(font, static_cast<unsigned char>(ch)).advance;
  return width;
}

std::uint8_t Blend(int front, int back, int alpha) {
  return static_cast<std::uint8_t>((front * alpha + back * (255 - alpha) + 127) / 255);
}

// Paints a glyph's coverage in `c` with its bitmap's top-left corner at
// (x, y), clipped to the image.
void PaintGlyph(Image& im, const Glyph& g, std::int64_t x, std::int64_t y, Colour c) {
  for (int r = 0; r < g.rows; ++r) {
    const std::int64_t py = y + r;
    if (py < 0 || py >= im.height) continue;
    for (int col = 0; col < g.width; ++col) {
      const std::int64_t px = x + col;
      if (px < 0 || px >= im.width) continue;
      const int a = g.coverage[static_cast<std::size_t>(r) * g.width + col];
      if (a == 0) continue;
      std::uint8_t* p = im.rgb.data() + (static_cast<std::size_t>(py) * im.width + px) * 3;
      p[0] = Blend(RedOf(c), p[0], a);
      p[1] = Blend(GreenOf(c), p[1], a);
      p[2] = Blend(BlueOf(c), p[2], a);
    }
  }
}

}  // namespace

bool LoadFont(int k, const std::string& pattern, int points, int dpi) {
  Fonts().erase(k);
  if (points < 1 || dpi < 1 || Library() == nullptr) return false;
  const long pixels = (static_cast<long>(points) * dpi + 36) / 72;
  if (pixels < 1 || pixels > 1000) return false;
  std::string file;
  int index = 0;
  if (!MatchFont(pattern, file, index)) return false;
  auto font = std::make_unique<Font>();
  if (FT_New_Face(Library(), file.c_str(), index, &font->face) != 0) {
    font->face = nullptr;
    return false;
  }
  if (FT_Set_Pixel_Sizes(font->face, 0, static_cast<FT_UInt>(pixels)) != 0) return false;
  const FT_Size_Metrics& m = font->face->size->metrics;
  font->ascender = static_cast<int>((m.ascender + 63) >> 6);
  font->descender = static_cast<int>(m.descender >> 6);  // rounds down (more negative)
  Fonts()[k] = std::move(font);
  return true;
}

int FontCellHeight(int k) {
  const Font* font = FindFont(k);
  return font == nullptr ? 0 : font->ascender - font->descender;
}

void DeleteAllFonts() { Fonts().clear(); }

int TextWidth(const std::string& s) {
  Font* font = CurrentFont();
  if (font == nullptr) return 0;
  const std::int64_t w = WidthIn(*font, s);
  return w > INT32_MAX ? INT32_MAX : static_cast<int>(w);
}

void DrawText(int x, int y, const std::string& s, Colour front, Colour back) {
  Image* im = internal::DrawTarget();
  Font* font = CurrentFont();
  if (im == nullptr || font == nullptr || s.empty()) return;
  if (!internal::Drawing().transparentText) {
    const std::int64_t w = WidthIn(*font, s);
    DrawBox(x, y, static_cast<int>(std::min<std::int64_t>(w, INT32_MAX)),
            font->ascender - font->descender, back);
  }
  std::int64_t pen = x;
  const std::int64_t baseline = static_cast<std::int64_t>(y) + font->ascender;
  for (const char ch : s) {
    const Glyph& g = GlyphOf(*font, static_cast<unsigned char>(ch));
    PaintGlyph(*im, g, pen + g.left, baseline - g.top, front);
    pen += g.advance;
  }
}

}  // namespace platform
