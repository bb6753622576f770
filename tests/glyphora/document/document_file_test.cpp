#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/document/document_file.h"
#include "platform/file.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using Rows = std::vector<std::string>;

std::string Scratch(const std::string& name) { return platform::TempFolder() + "gdf_" + name; }

void WriteFile(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size())));
}

std::string ReadFile(const std::string& path) {
  SourceBlock block;
  if (FileReadAll(path, &block) != 0) return "<unreadable>";
  std::string bytes(reinterpret_cast<char*>(block.data), static_cast<std::size_t>(block.size));
  Destroy(block.data);
  return bytes;
}

TEST(GlyphoraDocumentFile, SavingAnEmptyPageWritesBlankRows) {
  Document* doc = nullptr;
  ASSERT_EQ(DocumentCreate(&doc, nullptr, 3, 2), 0);
  doc->dirty = 1;
  EXPECT_EQ(DocumentSave(doc), platform::k_ERROR_INVALID_PARAMETER);  // no path yet
  std::string path = Scratch("empty.gly");
  ASSERT_EQ(DocumentSaveAs(doc, path), 0);
  EXPECT_EQ(ReadFile(path), "   \r\n   \r\n");
  EXPECT_EQ(doc->dirty, 0);
  EXPECT_EQ(DocumentTitle(*doc), "gdf_empty.gly - Glyphora");
  DocumentKill(doc);
  platform::FileDelete(path);
}

TEST(GlyphoraDocumentFile, OpenWrapsByExtension) {
  struct Case {
    const char* name;
    std::string text;
    int width, height;
  };
  const std::string line120 = std::string(119, 'x') + "y";
  const Case cases[] = {
      {"wide.GLY", line120 + "\r\n", 120, 1},
      {"wide.gly", line120 + "\r\n" + line120 + "\r\n", 120, 2},
      {"wide.TXT", line120 + "\r\n", 74, 2},
      {"blank.gly", "   \r\n   \r\n", 3, 2},
      {"empty.txt", "", 1, 1},
  };
  for (const Case& c : cases) {
    std::string path = Scratch(c.name);
    WriteFile(path, c.text);
    Document* doc = nullptr;
    ASSERT_EQ(DocumentOpen(&doc, nullptr, path, 74), 0) << c.name;
    EXPECT_EQ(doc->current.mainPage.width, c.width) << c.name;
    EXPECT_EQ(doc->current.mainPage.height, c.height) << c.name;
    EXPECT_EQ(RowsOf(doc->undo.mainPage), RowsOf(doc->current.mainPage)) << c.name;
    EXPECT_EQ(doc->hasPath, 1);
    EXPECT_EQ(std::string(doc->path), path);
    DocumentKill(doc);
    platform::FileDelete(path);
  }
}

TEST(GlyphoraDocumentFile, SaveAndOpenRoundTripKeepsBlankEdges) {
  std::string path = Scratch("round.GLY");
  WriteFile(path, "a   \r\n  b \r\n    \r\n");
  Document* doc = nullptr;
  ASSERT_EQ(DocumentOpen(&doc, nullptr, path, 74), 0);
  EXPECT_EQ(RowsOf(doc->current.mainPage), Rows({"a   ", "  b ", "    "}));  // no empty cells left
  doc->current.mainPage.cells[3] = 'z';
  ASSERT_EQ(DocumentSave(doc), 0);
  EXPECT_EQ(ReadFile(path), "a  z\r\n  b \r\n    \r\n");
  DocumentKill(doc);
  platform::FileDelete(path);
}

TEST(GlyphoraDocumentFile, SaveMergesTheFloatingSelectionAndKeepsIt) {
  Document* doc = nullptr;
  ASSERT_EQ(DocumentCreate(&doc, nullptr, 2, 1), 0);
  DocState& s = doc->current;
  ASSERT_EQ(PageNew(&s.floatingPage, 1, 2), 0);
  s.floatingPage.cells[0] = 'q';
  s.floatingPage.cells[1] = 'r';
  s.floating = 1;
  s.floatingColumn = 1;
  s.mergeMode = BlitMode::SkipEmpty;
  std::string path = Scratch("float.gly");
  ASSERT_EQ(DocumentSaveAs(doc, path), 0);
  EXPECT_EQ(ReadFile(path), " q\r\n r\r\n");
  EXPECT_EQ(doc->current.floating, 1);
  DocumentKill(doc);
  platform::FileDelete(path);
}

TEST(GlyphoraDocumentFile, FailuresReportTheSystemErrorAndLoseNothing) {
  Document* doc = nullptr;
  EXPECT_EQ(DocumentOpen(&doc, nullptr, Scratch("missing.gly"), 74), platform::k_ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(doc, nullptr);
  std::string tall = Scratch("tall.txt");
  std::string text;
  for (int i = 0; i < 16001; ++i) text += "a\r\n";
  WriteFile(tall, text);
  EXPECT_EQ(DocumentOpen(&doc, nullptr, tall, 74), platform::k_ERROR_INVALID_DATA);
  EXPECT_EQ(DocumentOpen(&doc, nullptr, tall, 0), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(DocumentOpen(&doc, nullptr, std::string(600, 'p'), 74), platform::k_ERROR_FILENAME_EXCED_RANGE);
  platform::FileDelete(tall);

  std::string kept = Scratch("kept.gly");
  WriteFile(kept, "old\r\n");
  ASSERT_EQ(DocumentOpen(&doc, nullptr, kept, 74), 0);
  doc->dirty = 1;
  std::string nowhere = Scratch("no_such_folder") + platform::PathSeparator() + "x.gly";
  EXPECT_NE(DocumentSaveAs(doc, nowhere), 0);
  EXPECT_EQ(std::string(doc->path), kept);
  EXPECT_EQ(doc->dirty, 1);
  EXPECT_EQ(ReadFile(kept), "old\r\n");
  EXPECT_EQ(DocumentTitle(*doc), "gdf_kept.gly - Glyphora");
  DocumentKill(doc);
  platform::FileDelete(kept);
}

TEST(GlyphoraDocumentFile, TitleOfAnUntitledDocument) {
  Document* doc = nullptr;
  ASSERT_EQ(DocumentCreate(&doc, nullptr, 74, 24), 0);
  EXPECT_EQ(DocumentTitle(*doc), "Untitled - Glyphora");
  DocumentKill(doc);
}

}  // namespace
