// A document for the tools' tests, holding a page given as rows ("." for empty cells).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/document/document.h"
#include "tests/glyphora/page_rows.h"

namespace glyphora_test {

// Freed at the end of the scope.
struct RowsDocument {
  glyphora::Document* doc = nullptr;
  explicit RowsDocument(const std::vector<std::string>& rows) {
    ScopedPage page(rows);
    EXPECT_EQ(glyphora::DocumentCreate(&doc, nullptr, page.page.width, page.page.height), 0);
    glyphora::PageMerge(&doc->current.mainPage, page.page, 0, 0, glyphora::BlitMode::Copy);
  }
  RowsDocument(const RowsDocument&) = delete;
  RowsDocument& operator=(const RowsDocument&) = delete;
  ~RowsDocument() { glyphora::DocumentKill(doc); }
};

}  // namespace glyphora_test
