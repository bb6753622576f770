// What the text-art core needs drawn by the platform: the ink of every character of the
// display font, a picture drawn into an 8-bit grey bitmap, and the lines, ellipse outlines
// and fills of the drawing tools on 1-bit bitmaps. win32 draws with GDI; posix renders the
// font with FreeType and draws the rest itself. Every call returns 0 or a system error
// number (platform/system_error.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

constexpr int k_fontCharCount = 256;

// One cell of the display font and the ink of each byte value drawn into it.
struct FontInk {
  int cellWidth = 0;   // the font's average character width
  int cellHeight = 0;  // its height (ascent + descent)
  std::int16_t pixels[k_fontCharCount] = {};  // ink pixels of each character in the cell
};

// Creates the font FACE at POINTSIZE points (height -(points x 96 / 72) pixels, Western
// character set), and counts for each byte value 0 ... 255 the ink pixels of the character
// drawn alone at (0, 0) into a 1-bit cell of cellWidth x cellHeight. A face the system
// does not have gives its nearest match, as the system picks it.
int MeasureFontInk(const std::string& face, int pointSize, FontInk* ink);

// A decoded picture: pixels 0x00RRGGBB, row-major, the top row first. A decoder asked
// for a small box may keep only every few rows and columns of a large file (one pixel of
// each block, as nearest-neighbour scaling would pick); fileWidth and fileHeight then keep
// the file's own size, which is what fitting the picture uses. 0 means width and height.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  int fileWidth = 0;
  int fileHeight = 0;
};

// The file's own size of a picture (fileWidth x fileHeight, else width x height).
inline int PictureFileWidth(const RgbPicture& p) { return p.fileWidth > 0 ? p.fileWidth : p.width; }
inline int PictureFileHeight(const RgbPicture& p) { return p.fileHeight > 0 ? p.fileHeight : p.height; }

// An enhanced metafile kept as its bytes (platform/picture_file.h checks its header). Its
// size is the width and height of the bounds rectangle of the header, 0 when empty.
struct Metafile {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;
};

// An 8-bit grey bitmap: index i is the grey 255 - i (0 white paper, 255 black), rows
// stored bottom-up as a device-independent bitmap keeps them, width bytes a row.
struct GrayBitmap {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> indices;
};

// Draws the picture stretched to width x height (both at least 1) into a new grey
// bitmap that starts white; each colour becomes its nearest grey.
int PictureDrawGray(const RgbPicture& picture, int width, int height, GrayBitmap* bitmap);

// Plays the metafile into (0, 0, width, height) of a new grey bitmap that starts white.
// win32 plays it with GDI. posix has no metafile renderer and returns
// k_ERROR_NOT_SUPPORTED: metafiles are drawn only by the Windows build.
int MetafileDrawGray(const Metafile& metafile, int width, int height, GrayBitmap* bitmap);

// A font for drawn text: the face, the height of its characters in pixels (the cell less
// its internal leading) and its style.
struct TextFont {
  std::string face;
  int height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// Where each line of a drawn text sits within the widest.
enum class TextAlign : int { Left = 0, Centre = 1, Right = 2 };

// Draws the text (GBK; a line ends at CR LF, CR or LF) black on white in the font, without
// smoothing, into a picture as large as the text needs: at least 1 x 1, cut to maxWidth x
// maxHeight. A face the system does not have gives its nearest match. win32 draws with
// GDI; posix returns k_ERROR_NOT_SUPPORTED (text is drawn only by the Windows build).
int DrawTextPicture(const std::string& text, const TextFont& font, TextAlign align, int maxWidth, int maxHeight,
                    RgbPicture* picture);

// A 1-bit bitmap held one byte a pixel (0 white, 1 black), row-major, the top row first.
struct MonoBitmap {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
};

// Draws a one-pixel black line from (x0, y0) towards (x1, y1), the end point itself left
// out (as the platform's own lines are), clipped to the bitmap. Where the line passes
// exactly halfway between two pixels, the platform's rule picks one.
// k_ERROR_INVALID_PARAMETER for a line longer than 2^24 pixels.
int DrawLine(MonoBitmap* bitmap, int x0, int y0, int x1, int y1);

// Draws the black outline of the ellipse that fills a logical extent of logicalWidth x
// logicalHeight units mapped onto the whole bitmap, with a pen of penWidth logical units
// inside the ellipse's frame; the inside is left as it is. A pen that maps to one pixel
// gives the same pixels on both platforms. A wider one is meant to be as many pixels
// across at the sides as it maps to across, and as many rows at the top and bottom as it
// maps to down; GDI under Wine maps it by the horizontal scale alone and widens it its
// own way, so wide outlines differ there. k_ERROR_INVALID_PARAMETER for an extent or a
// pen below 1, or a bitmap side past k_largestEllipse.
constexpr int k_largestEllipse = 1 << 16;
int DrawEllipseOutline(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth);

// Fills the white surface that holds (x, y) with black; pixels join it only through their
// four side neighbours. A start outside the bitmap or on black changes nothing.
int FloodFillSurface(MonoBitmap* bitmap, int x, int y);

}  // namespace platform
