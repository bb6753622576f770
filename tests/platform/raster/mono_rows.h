// 1-bit bitmaps written as rows of text in the raster tests.
#pragma once

#include <string>
#include <vector>

#include "platform/raster.h"

namespace raster_test {

// Bitmaps written as rows: "#" black, "." white.
inline platform::MonoBitmap Mono(const std::vector<std::string>& rows) {
  platform::MonoBitmap b;
  b.height = static_cast<int>(rows.size());
  b.width = static_cast<int>(rows[0].size());
  for (const std::string& row : rows)
    for (char c : row) b.pixels.push_back(c == '#' ? 1 : 0);
  return b;
}

inline std::vector<std::string> Rows(const platform::MonoBitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.height; ++y) {
    std::string row;
    for (int x = 0; x < b.width; ++x) row += b.pixels[static_cast<std::size_t>(y) * b.width + x] ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

}  // namespace raster_test
