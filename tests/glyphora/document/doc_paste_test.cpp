#include <gtest/gtest.h>

#include "glyphora/document/doc_paste.h"

namespace {

using namespace glyphora;

TEST(GlyphoraPaste, FirstMatchingFormWins) {
  struct Case {
    const char* name;
    ClipContents clip;
    int tool;
    PasteAction action;
    int newTool;
  };
  const Case cases[] = {
      {"tabbed text is a table, even in the text tool", {true, true, true, true, true}, 1, PasteAction::Table, 0},
      {"text into the big-text tool before a bitmap", {true, false, true, false, false}, 2, PasteAction::IntoTextTool, 2},
      {"bitmap before metafile", {true, false, true, true, true}, 5, PasteAction::Bitmap, 0},
      {"metafile before page", {false, false, false, true, true}, 3, PasteAction::Metafile, 0},
      {"page before plain text", {true, false, false, false, true}, 0, PasteAction::Page, 0},
      {"plain text switches to the text tool", {true, false, false, false, false}, 6, PasteAction::TextTool, 1},
      {"nothing", {}, 4, PasteAction::Nothing, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DocPasteAction(c.clip, c.tool), c.action) << c.name;
    EXPECT_EQ(DocPasteTool(c.action, c.tool), c.newTool) << c.name;
  }
}

}  // namespace
