// What the text-art core needs drawn by the platform: the ink of every character of the
// display font, and a picture drawn into an 8-bit grey bitmap. win32 draws with GDI;
// posix renders the font with FreeType and scales pictures itself. Every call returns 0 or
// a system error number (platform/system_error.h).
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

// A decoded picture: pixels 0x00RRGGBB, row-major, the top row first.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
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

// The black outline of the ellipse that fills a logical extent of logicalWidth x
// logicalHeight units mapped onto the whole bitmap, drawn with a pen of penWidth logical
// units lying inside the ellipse's frame; the inside is not filled. Each platform draws
// its own way (GDI's inside-frame pen; posix: the pixels whose centres lie between the
// ellipse and the one shrunk by the pen on every side), so pixels on the edge may differ.
// k_ERROR_INVALID_PARAMETER for an extent or a pen below 1.
int DrawEllipseOutline(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth);

// Fills the white surface that holds (x, y) with black; pixels join it only through their
// four side neighbours. A start outside the bitmap or on black changes nothing.
int FloodFillSurface(MonoBitmap* bitmap, int x, int y);

}  // namespace platform
