// The text tool driven as a person would: a click on the page, keys typed, the
// justification preference, a paste, and the text laid down when the tool changes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "tests/gui/editor_fixture.h"

namespace {

using glyphora_gui_test::EditorWindow;
using Rows = std::vector<std::string>;

constexpr int k_textTool = 1;
constexpr int k_pencilTool = 3;

void PutClipboardText(HWND owner, const char* text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

TEST_F(EditorWindow, TextToolTypesAtTheClickedCellOneUndoableKeyAtATime) {
  ClickTool(k_textTool);
  Drag({{2, 1}});
  Type("ab\rc\bd");
  EXPECT_EQ(FloatingRows(), (Rows{"ab", "d."}));
  Command(CMD_UNDO);  // the last key only
  EXPECT_EQ(FloatingRows(), (Rows{"ab"}));
  Command(CMD_UNDO);  // redone
  EXPECT_EQ(FloatingRows(), (Rows{"ab", "d."}));
  Drag({{2, 1}, {4, 2}});  // pressed on the text: moved, not restarted
  EXPECT_EQ(FloatingRows(), (Rows{"ab", "d."}));
  ClickTool(k_pencilTool);  // leaving the tool lays the text down
  EXPECT_TRUE(FloatingRows().empty());
  EXPECT_EQ(MainRows(), (Rows{"............", "............", "....ab......", "....d ......", "............"}));
}

TEST_F(EditorWindow, TextToolLaysOutByTheJustificationAndTakesPastesAtTheCaret) {
  const std::pair<int, Rows> clicks[] = {  // each click on the button takes the next one
      {1, {"abc", ".d."}}, {2, {"abc", "..d"}}, {3, {"abc", "d.."}}, {0, {"abc", "d.."}},
  };
  ClickTool(k_textTool);
  Drag({{0, 0}});
  Type("abc\rd");
  EXPECT_EQ(FloatingRows(), (Rows{"abc", "d.."}));
  for (const auto& [justification, rows] : clicks) {
    ClickOption(1);
    EXPECT_EQ(editor_.preferences.justification, justification);
    EXPECT_EQ(FloatingRows(), rows) << "justification " << justification;
  }
  Drag({{8, 3}});  // a click away from the text lays it down and starts another
  EXPECT_EQ(editor_.document->current.floatingColumn, 8);
  EXPECT_EQ(MainRows()[1], "d  .........");
  editor_.preferences.justification = 0;
  ClickTool(k_pencilTool);
  ClickTool(k_textTool);
  MoveTo(5, 3);  // typing with no text starts one where the mouse is
  Type("x");
  PutClipboardText(editor_.frame, "y\x01z\r\n");  // pasted control characters become blanks
  Command(CMD_PASTE);
  EXPECT_EQ(editor_.document->current.floatingColumn, 5);
  EXPECT_EQ(editor_.document->current.floatingRow, 3);
  EXPECT_EQ(FloatingRows(), (Rows{"xy z"}));
}

}  // namespace
