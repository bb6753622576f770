// The text tool's core: keys and pastes edit the floating text's source at its caret, one
// action each, and the text is laid out again by the justification; laid down, its blanks
// cover the picture or, transparent, let it show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/text_float.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/rows_document.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsDocument;
using glyphora_test::RowsOf;
using Rows = std::vector<std::string>;

constexpr char k_backspace = '\b';

// Types keys into the floating text: Backspace erases before the caret, "|" puts the
// caret at the start of the text (as a click between its bytes would), any other byte
// is inserted.
int TypeKeys(Document* d, const std::string& keys, const TextLayout& layout) {
  for (char key : keys) {
    int error = key == k_backspace ? TextFloatErase(d, layout)
                : key == '|'       ? (d->current.caret = 0)
                                   : TextFloatInsert(d, &key, 1, layout);
    if (error != 0) return error;
  }
  return 0;
}

std::string Source(const DocState& s) { return std::string(reinterpret_cast<const char*>(s.source.data), s.sourceLength); }

TEST(TextFloat, KeysEnterBackspaceAndPastesEditAtTheCaret) {
  struct KeysCase {
    std::string keys;
    std::string paste;  // inserted whole at the caret after the keys
    std::string source;
    int caret;
    Rows rows;
  };
  const KeysCase cases[] = {
      {"ab", "", "ab", 2, {"ab"}},
      {"ab\rcd", "", "ab\rcd", 5, {"ab", "cd"}},
      {"ab\rc\b\b", "", "ab", 2, {"ab"}},  // Backspace takes the Enter too
      {"\b", "", "", 0, {"."}},            // nothing before the caret: nothing happens
      {"ab|", "XY", "XYab", 2, {"XYab"}},  // a paste goes in at the caret
      {"ab", "c\r\nd", "abc\r\nd", 6, {"abc", "d.."}},
  };
  Justify left = Justify::Left;
  TextLayout layout = PlainTextLayout(&left);
  for (const KeysCase& c : cases) {
    RowsDocument d({"....", "...."});
    ASSERT_EQ(TextFloatStart(d.doc, 1, 0, BlitMode::EmptyAsBlank), 0);
    ASSERT_EQ(TypeKeys(d.doc, c.keys, layout), 0) << c.keys;
    ASSERT_EQ(TextFloatInsert(d.doc, c.paste.data(), static_cast<std::int32_t>(c.paste.size()), layout), 0);
    EXPECT_EQ(Source(d.doc->current), c.source) << c.keys;
    EXPECT_EQ(d.doc->current.caret, c.caret) << c.keys;
    EXPECT_EQ(RowsOf(d.doc->current.floatingPage), c.rows) << c.keys;
  }
}

TEST(TextFloat, EachEditIsOneActionAndNeedsAFloatingText) {
  RowsDocument d({"...."});
  Justify left = Justify::Left;
  TextLayout layout = PlainTextLayout(&left);
  EXPECT_EQ(TextFloatInsert(d.doc, "a", 1, layout), platform::k_ERROR_INVALID_FUNCTION);
  EXPECT_EQ(TextFloatErase(d.doc, layout), platform::k_ERROR_INVALID_FUNCTION);
  ASSERT_EQ(TextFloatStart(d.doc, 0, 0, BlitMode::EmptyAsBlank), 0);
  ASSERT_EQ(TypeKeys(d.doc, "ab\b", layout), 0);
  DocumentUndo(d.doc);  // the Backspace alone
  EXPECT_EQ(Source(d.doc->current), "ab");
  EXPECT_EQ(RowsOf(d.doc->current.floatingPage), (Rows{"ab"}));
  DocumentUndo(d.doc);  // undone twice: redone
  EXPECT_EQ(Source(d.doc->current), "a");
}

TEST(TextFloat, JustificationLaysTheTextOutAgain) {
  const std::pair<Justify, Rows> cases[] = {
      {Justify::Left, {"abc", "d.."}},
      {Justify::Centre, {"abc", ".d."}},
      {Justify::Right, {"abc", "..d"}},
      {Justify::Full, {"abc", "d.."}},  // a closed line is never spread
  };
  RowsDocument d({"...."});
  Justify justify = Justify::Left;
  TextLayout layout = PlainTextLayout(&justify);
  ASSERT_EQ(TextFloatStart(d.doc, 0, 0, BlitMode::EmptyAsBlank), 0);
  ASSERT_EQ(TypeKeys(d.doc, "abc\rd", layout), 0);
  for (const auto& [j, rows] : cases) {
    justify = j;
    ASSERT_EQ(TextFloatLayout(d.doc, layout), 0);
    EXPECT_EQ(RowsOf(d.doc->current.floatingPage), rows) << static_cast<int>(j);
  }
}

TEST(TextFloat, LaidDownItsBlanksCoverThePictureUnlessTransparent) {
  const std::pair<BlitMode, Rows> cases[] = {
      {BlitMode::EmptyAsBlank, {"a bxx"}},
      {BlitMode::SkipBlank, {"axbxx"}},  // transparent
  };
  Justify left = Justify::Left;
  TextLayout layout = PlainTextLayout(&left);
  for (const auto& [mode, rows] : cases) {
    RowsDocument d({"xxxxx"});
    ASSERT_EQ(TextFloatStart(d.doc, 0, 0, mode), 0);
    ASSERT_EQ(TypeKeys(d.doc, "a b", layout), 0);
    ASSERT_EQ(TextFloatStart(d.doc, 4, 0, mode), 0);  // a new text lays the old one down
    EXPECT_EQ(RowsOf(d.doc->current.mainPage), rows) << static_cast<int>(mode);
    EXPECT_TRUE(TextFloating(d.doc->current));
    EXPECT_EQ(d.doc->current.sourceLength, 0);
  }
}

}  // namespace
