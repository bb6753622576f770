// Pages written as rows of text in tests: "." stands for an empty cell (0).
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "glyphora/document/page/page.h"

namespace glyphora_test {

// A page the test owns; freed at the end of the scope.
struct ScopedPage {
  glyphora::Page page;
  ScopedPage() = default;
  explicit ScopedPage(const std::vector<std::string>& rows) {
    int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    glyphora::PageNew(&page, width, static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y)
      for (int x = 0; x < width; ++x)
        page.cells[y * width + x] = rows[y][x] == '.' ? 0 : static_cast<unsigned char>(rows[y][x]);
  }
  ScopedPage(const ScopedPage&) = delete;
  ScopedPage& operator=(const ScopedPage&) = delete;
  ~ScopedPage() { glyphora::PageKill(&page); }
};

inline std::vector<std::string> RowsOf(const glyphora::Page& page) {
  std::vector<std::string> rows;
  for (int y = 0; y < page.height; ++y) {
    std::string row;
    for (int x = 0; x < page.width; ++x) {
      unsigned char c = page.cells[y * page.width + x];
      row += c == 0 ? '.' : static_cast<char>(c);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace glyphora_test
