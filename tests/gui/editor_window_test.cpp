// The editor driven as a person would: tools pressed on the tool bar, strokes through
// mouse messages on the view, commands through WM_COMMAND; the page read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/dimensions_dialog.h"
#include "glyphora/app/file_commands.h"
#include "glyphora/document/document_file.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "tests/gui/editor_fixture.h"

namespace {

using glyphora_gui_test::EditorWindow;
using Rows = std::vector<std::string>;
using Cells = std::vector<std::pair<int, int>>;
namespace ui = platform::win32::ui;

struct StrokeCase {
  int tool;
  Cells drag;
  Rows expected;
};

TEST_F(EditorWindow, EachToolDrawsItsStrokeAsOneUndoableAction) {
  const StrokeCase cases[] = {
      {3, {{1, 1}, {2, 1}, {3, 2}}, {"............", ".**.........", "...*........", "............", "............"}},
      {6, {{0, 0}, {5, 0}}, {"------......", "............", "............", "............", "............"}},
      {6, {{4, 0}, {4, 3}}, {"....|.......", "....|.......", "....|.......", "....|.......", "............"}},
      {8, {{1, 1}, {4, 3}}, {"............", ".+--+.......", ".|..|.......", ".+--+.......", "............"}},
      {7, {{0, 0}, {9, 4}}, {"../-----....", "./......\\...", "|........|..", ".|......|...", "..\\\\---/...."}},
      {5, {{0, 0}}, {"************", "************", "************", "************", "************"}},
  };
  for (const StrokeCase& c : cases) {
    ClickTool(c.tool);
    ASSERT_EQ(editor_.document->current.tool, c.tool);
    Rows before = MainRows();
    Drag(c.drag);
    EXPECT_EQ(MainRows(), c.expected) << "tool " << c.tool;
    Command(CMD_UNDO);
    EXPECT_EQ(MainRows(), before) << "undo of tool " << c.tool;
    Command(CMD_UNDO);  // a second undo redoes
    EXPECT_EQ(MainRows(), c.expected) << "redo of tool " << c.tool;
    Command(CMD_UNDO);
  }
  for (int tool : {0, 1, 3, 8}) {  // each tool's cursor over the page
    ClickTool(tool);
    SendMessageW(editor_.view, WM_SETCURSOR, reinterpret_cast<WPARAM>(editor_.view), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const wchar_t* expected = tool == 0 ? IDC_ARROW : tool == 1 ? IDC_IBEAM : IDC_CROSS;
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, expected)) << "tool " << tool;
  }
  ClickTool(4);  // the rubber writes blanks
  SetRows({"abc"});
  Drag({{1, 0}});
  EXPECT_EQ(MainRows()[0], "a c.........");
}

TEST_F(EditorWindow, SelectionDragMovesAndEffectsNeedAFloatingSelection) {
  SetRows({"ab..", "cd.."});
  ClickTool(0);
  HMENU effects = GetSubMenu(GetMenu(editor_.frame), 3);
  SendMessageW(editor_.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(effects), 3);
  EXPECT_TRUE(GetMenuState(effects, CMD_FLIP_HORIZONTAL, MF_BYCOMMAND) & MF_GRAYED);
  Drag({{0, 0}, {1, 1}});  // a rectangle lifts the cells
  EXPECT_EQ(FloatingRows(), (Rows{"ab", "cd"}));
  SendMessageW(editor_.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(effects), 3);
  EXPECT_FALSE(GetMenuState(effects, CMD_FLIP_HORIZONTAL, MF_BYCOMMAND) & MF_GRAYED);
  const std::pair<int, Rows> transforms[] = {
      {CMD_FLIP_HORIZONTAL, {"ba", "dc"}}, {CMD_FLIP_VERTICAL, {"cd", "ab"}}, {CMD_ROTATE_RIGHT, {"ca", "db"}},
      {CMD_ROTATE_LEFT, {"bd", "ac"}},     {CMD_ROTATE_180, {"dc", "ba"}},    {CMD_EXPLODE, {"a.b.", "c.d."}},
      {CMD_IMPLODE, {"a", "c"}},
  };
  for (const auto& [command, rows] : transforms) {
    Command(command);
    EXPECT_EQ(FloatingRows(), rows) << command;
    Command(CMD_UNDO);
    EXPECT_EQ(FloatingRows(), (Rows{"ab", "cd"})) << "undo of " << command;
  }
  Drag({{0, 0}, {2, 1}});  // pressed inside: the selection moves two cells right, one down
  Command(CMD_SELECT_ALL);  // lays it down and lifts the whole page
  EXPECT_EQ(FloatingRows()[1].substr(0, 4), "..ab");
  EXPECT_EQ(FloatingRows()[2].substr(0, 4), "..cd");
}

TEST_F(EditorWindow, CopyPutsTextAndPageOnTheClipboardAndPasteFloatsIt) {
  editor_.settings.notice = "N";
  SetRows({"ab", ".c"});
  Command(CMD_COPY);
  ASSERT_TRUE(OpenClipboard(editor_.frame));
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "N \r\n  \r\nab\r\n c\r\n");
  GlobalUnlock(text);
  EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Glyphora Page")));
  CloseClipboard();
  ClickTool(3);
  Command(CMD_PASTE);  // the private page form wins over text without tabs
  EXPECT_EQ(editor_.document->current.tool, 0);
  EXPECT_EQ(FloatingRows(), (Rows{"ab..........", ".c..........", "............", "............", "............"}));
  Command(CMD_CLEAR);
  EXPECT_TRUE(FloatingRows().empty());
}

TEST_F(EditorWindow, DimensionsAreRefusedOutsideTheirRangesAndAcceptedAsOneAction) {
  glyphora::app::DimensionsState state;
  state.editor = &editor_;
  HWND dialog = CreateDialogParamW(ui::ModuleInstance(), MAKEINTRESOURCEW(DLG_DIMENSIONS), editor_.frame,
                                   glyphora::app::DimensionsProc, reinterpret_cast<LPARAM>(&state));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ui::DialogItemTextGbk(dialog, IDC_DIM_COLUMNS), "12");
  const std::pair<const char*, const char*> refused[] = {{"0", "5"}, {"501", "5"}, {"12", "16001"}, {"x", "5"}};
  for (const auto& [columns, rows] : refused) {
    SetDlgItemTextA(dialog, IDC_DIM_COLUMNS, columns);
    SetDlgItemTextA(dialog, IDC_DIM_ROWS, rows);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(state.confirmed) << columns << " x " << rows;
  }
  ASSERT_EQ(asked_.size(), 4u);
  EXPECT_EQ(asked_[0], "Dimensions|The document must have 1 to 500 columns and 1 to 16000 rows.");
  SetDlgItemTextA(dialog, IDC_DIM_COLUMNS, "500");
  SetDlgItemTextA(dialog, IDC_DIM_ROWS, "16000");
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(state.confirmed);
  EXPECT_EQ(editor_.document->current.mainPage.width, 500);
  EXPECT_EQ(editor_.document->current.mainPage.height, 16000);
  SendMessageW(editor_.view, WM_VSCROLL, SB_BOTTOM, 0);  // the view reaches the last rows
  EXPECT_GT(editor_.document->view.firstRow, 15900);
  Command(CMD_UNDO);
  EXPECT_EQ(editor_.document->current.mainPage.width, 12);
  DestroyWindow(dialog);
}

TEST_F(EditorWindow, ClosingAskedOnlyWithChangesAndTheTitleNamesTheFile) {
  EXPECT_EQ(ui::WindowTextGbk(editor_.frame), "Untitled - Glyphora");
  ClickTool(3);
  Drag({{0, 0}});
  answers_ = {IDCANCEL};
  Command(CMD_NEW);
  ASSERT_EQ(asked_, (Rows{"Confirm Close|Save Changes to Document?"}));
  EXPECT_EQ(MainRows()[0][0], '*');  // cancelled: the document stays
  answers_ = {IDNO};
  Command(CMD_NEW);
  EXPECT_EQ(MainRows()[0][0], '.');
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  std::string path = std::string(folder) + "gui_test_art.gly";
  ASSERT_EQ(glyphora::DocumentSaveAs(editor_.document, path), 0);
  ASSERT_TRUE(glyphora::app::OpenPath(&editor_, path));
  EXPECT_EQ(ui::WindowTextGbk(editor_.frame), "gui_test_art.gly - Glyphora");
  EXPECT_EQ(asked_.size(), 2u);  // nothing changed since the save: no question
  DeleteFileA(path.c_str());
}

}  // namespace
