// The display font's ink, rendered with FreeType from the file fontconfig matches for the
// face name, in the metrics the Western character set gives the font elsewhere.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdint>
#include <memory>
#include <string>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

namespace {

constexpr int k_pixelsPerInch = 96;
constexpr int k_pointsPerInch = 72;

// The characters 0x80 ... 0x9F of the Western code page (0 where it has none).
constexpr std::uint16_t k_westernUpper[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t WesternToUnicode(int c) { return c >= 0x80 && c < 0xA0 ? k_westernUpper[c - 0x80] : c; }

// The platform's multiply-then-divide: rounded to the nearest, halves away from zero.
int MulDivRound(int a, int b, int c) {
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  return static_cast<int>((p >= 0 ? p + c / 2 : p - c / 2) / c);
}

// The font file fontconfig matches for the face name; empty when none. A configuration of
// its own, released before returning, so no library-wide state outlives the call.
std::string MatchFontFile(const std::string& face) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return {};
  std::string file;
  if (FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face.c_str()))) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch)
      file = reinterpret_cast<const char*>(name);
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
  return file;
}

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// Cell metrics from the font's Windows metrics (ascent + descent, average width), as
// the Western character set reports them.
void CellMetrics(FT_Face face, int emPixels, FontInk* ink, int* ascent) {
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  int units = face->units_per_EM;
  if (os2 != nullptr && units > 0) {
    *ascent = MulDivRound(os2->usWinAscent, emPixels, units);
    ink->cellHeight = *ascent + MulDivRound(os2->usWinDescent, emPixels, units);
    ink->cellWidth = MulDivRound(os2->xAvgCharWidth, emPixels, units);
    return;
  }
  *ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  ink->cellHeight = static_cast<int>((face->size->metrics.height) >> 6);
  ink->cellWidth = static_cast<int>(face->size->metrics.max_advance >> 6);
}

// Ink pixels of one glyph placed with its origin at (0, ascent), clipped to the cell.
int CountInk(FT_Face face, std::uint32_t code, int ascent, const FontInk& cell) {
  FT_UInt glyph = FT_Get_Char_Index(face, code);
  if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return 0;
  const FT_Bitmap& b = face->glyph->bitmap;
  int left = face->glyph->bitmap_left, top = ascent - face->glyph->bitmap_top;
  int count = 0;
  for (unsigned row = 0; row < b.rows; ++row) {
    int y = top + static_cast<int>(row);
    if (y < 0 || y >= cell.cellHeight) continue;
    const unsigned char* bits = b.buffer + static_cast<std::ptrdiff_t>(row) * b.pitch;
    for (unsigned col = 0; col < b.width; ++col) {
      int x = left + static_cast<int>(col);
      if (x >= 0 && x < cell.cellWidth && ((bits[col / 8] >> (7 - col % 8)) & 1) != 0) ++count;
    }
  }
  return count;
}

}  // namespace

int MeasureFontInk(const std::string& face, int pointSize, FontInk* ink) {
  std::string file = MatchFontFile(face);
  if (file.empty()) return k_ERROR_FILE_NOT_FOUND;
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) return k_ERROR_NOT_ENOUGH_MEMORY;
  std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(rawLibrary, file.c_str(), 0, &rawFace) != 0) return k_ERROR_INVALID_DATA;
  std::unique_ptr<FT_FaceRec_, FaceCloser> owned(rawFace);
  int emPixels = MulDivRound(pointSize, k_pixelsPerInch, k_pointsPerInch);
  if (emPixels <= 0 || FT_Set_Pixel_Sizes(rawFace, 0, static_cast<FT_UInt>(emPixels)) != 0)
    return k_ERROR_INVALID_PARAMETER;
  int ascent = 0;
  CellMetrics(rawFace, emPixels, ink, &ascent);
  if (ink->cellWidth <= 0 || ink->cellHeight <= 0) return k_ERROR_INVALID_DATA;
  for (int c = 0; c < k_fontCharCount; ++c)
    ink->pixels[c] = static_cast<std::int16_t>(CountInk(rawFace, WesternToUnicode(c), ascent, *ink));
  return 0;
}

}  // namespace platform
