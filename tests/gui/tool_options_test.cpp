// The text tools, the option buttons and the floating selection's corner handle driven as
// a person would: clicks on the page and the tool bar, keys typed, pastes; pages read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/tool_bar.h"
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

namespace {

constexpr int k_bigTextTool = 2;
constexpr int k_fontButton = 2;  // after Transparent and the justification

int InkCells(const std::vector<std::string>& rows) {
  int ink = 0;
  for (const std::string& row : rows) ink += static_cast<int>(row.size()) - static_cast<int>(std::count(row.begin(), row.end(), ' ')) -
                                            static_cast<int>(std::count(row.begin(), row.end(), '.'));
  return ink;
}

// Clicks a row (0 face: the font dialog, 1 size, 2 style) of the big-text font chooser.
void ClickFontRow(HWND toolBar, const RECT& r, int row, bool rightHalf) {
  LPARAM at = MAKELPARAM(rightHalf ? r.right - 2 : r.left + 2, r.top + 32 * row + 16);
  SendMessageW(toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(toolBar, WM_LBUTTONUP, 0, at);
}

TEST_F(EditorWindow, BigTextDrawsTheTextInItsFontAsCharactersAndFollowsTheFontButton) {
  editor_.preferences.bigTextSize = 20;
  editor_.preferences.bigTextStyle = 1;
  ClickTool(k_bigTextTool);
  Drag({{0, 0}});
  Type("H");
  Rows one = FloatingRows();
  ASSERT_GT(one.size(), 10u);  // a 20-pixel font is a score of rows high
  EXPECT_GT(InkCells(one), 20);
  Type("H");
  EXPECT_GT(FloatingRows()[0].size(), one[0].size() * 3 / 2);  // two letters: about twice as wide
  struct FontClick {
    int row;
    bool rightHalf;
    int size;
    int style;
  };
  const FontClick clicks[] = {{1, true, 21, 1}, {1, false, 20, 1}, {1, false, 19, 1}, {2, false, 19, 2}};
  RECT button = glyphora::app::ToolBarOptionRect(&editor_, k_fontButton);
  ASSERT_EQ(button.bottom - button.top, 96);
  for (const FontClick& c : clicks) {
    std::size_t before = FloatingRows().size();
    ClickFontRow(editor_.toolBar, button, c.row, c.rightHalf);
    EXPECT_EQ(editor_.preferences.bigTextSize, c.size) << "row " << c.row;
    EXPECT_EQ(editor_.preferences.bigTextStyle, c.style) << "row " << c.row;
    if (c.row == 1) {
      EXPECT_NE(FloatingRows().size(), before) << "laid out again at size " << c.size;
    }
  }
  Type("\b\b");
  EXPECT_EQ(FloatingRows(), (Rows{"."}));
}

}  // namespace

namespace {

constexpr int k_characterButton = 0;
constexpr int k_sizeButton = 1;

// The pencil's buttons: the size button's thirds (smaller, round/square, bigger) and the
// character button, which switches the direction mode.
TEST_F(EditorWindow, PencilButtonsSetTheBrushSizeAndShapeAndTheDirectionMode) {
  struct BrushCase {
    std::vector<int> thirds;  // clicked in turn on the size button
    Rows stamp;               // a click at (2, 2) on an empty page
  };
  const BrushCase cases[] = {
      {{2, 2}, {".....", "..*..", ".***.", "..*..", "....."}},  // round, 3
      {{1}, {".....", ".***.", ".***.", ".***.", "....."}},     // square, 3
      {{0, 1, 0}, {".....", ".....", "..*..", ".....", "....."}},  // round again, size 1
  };
  ClickTool(k_pencilTool);
  for (const BrushCase& c : cases) {
    SetRows({"....."});
    for (int third : c.thirds) ClickOption(k_sizeButton, third, 3);
    Drag({{2, 2}});
    Rows rows = MainRows();
    for (std::string& row : rows) row.resize(5);
    EXPECT_EQ(rows, c.stamp) << "brush word " << editor_.options.pencilBrush;
    Command(CMD_UNDO);
  }
  ClickOption(k_characterButton);
  EXPECT_TRUE(editor_.options.directionMode);
  Drag({{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}});
  std::string row = MainRows()[4];
  EXPECT_EQ(row.find('*'), std::string::npos) << row;
  EXPECT_EQ(row.substr(1, 3), "---") << row;
  ClickOption(k_characterButton);
  EXPECT_FALSE(editor_.options.directionMode);
}

}  // namespace

namespace {

constexpr int k_selectTool = 0;
constexpr int k_sourceButton = 1;  // after Transparent: rules for a table, scaling for a picture

int CountOf(const Rows& rows, char c) {
  int n = 0;
  for (const std::string& row : rows) n += static_cast<int>(std::count(row.begin(), row.end(), c));
  return n;
}

int RowsWith(const Rows& rows, char c) {
  return static_cast<int>(std::count_if(rows.begin(), rows.end(), [c](const std::string& r) { return r.find(c) != std::string::npos; }));
}

void PutClipboardPicture(HWND owner) {  // 4 x 2 pixels, the left half black
  const std::uint32_t pixels[8] = {0, 0, 0xFFFFFF, 0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF};
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 4, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof header + sizeof pixels);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  std::memcpy(bytes, &header, sizeof header);
  std::memcpy(bytes + sizeof header, pixels, sizeof pixels);
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_DIB, block);
  CloseClipboard();
}

TEST_F(EditorWindow, RuleAndScalingButtonsLayTheFloatingTableOrPictureOutAgain) {
  ClickTool(k_selectTool);
  PutClipboardText(editor_.frame, "a\tb\r\nc\td\r\ne\tf\r\n");
  Command(CMD_PASTE);
  Rows ruled = FloatingRows();
  ASSERT_GT(CountOf(ruled, '|'), 0);
  ClickOption(k_sourceButton, 0, 2);  // rules between columns: 3 -> 0
  EXPECT_EQ(editor_.preferences.verticalRules, 0);
  EXPECT_EQ(CountOf(FloatingRows(), '|'), 0);
  ClickOption(k_sourceButton, 1, 2);  // rules between rows: 2 -> 3
  EXPECT_EQ(editor_.preferences.horizontalRules, 3);
  EXPECT_GT(RowsWith(FloatingRows(), '-'), RowsWith(ruled, '-'));
  Command(CMD_CLEAR);

  editor_.preferences.scalingMode = 2;  // free: over the whole page
  PutClipboardPicture(editor_.frame);
  Command(CMD_PASTE);
  Rows free = FloatingRows();
  ASSERT_EQ(free.size(), 5u);
  EXPECT_EQ(CountOf(free, '.'), 0);
  ClickOption(k_sourceButton);  // free -> direct: one cell a pixel, the rest untouched
  EXPECT_EQ(editor_.preferences.scalingMode, 0);
  EXPECT_EQ(CountOf(FloatingRows(), '.'), 12 * 5 - 8);
}

// An enhanced metafile of 8 x 4 pixels on the clipboard: a white field, its left half
// filled black.
void PutClipboardMetafile(HWND owner) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  RECT field{0, 0, 8, 4}, left{0, 0, 4, 4};
  FillRect(dc, &field, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  ASSERT_NE(metafile, nullptr);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_ENHMETAFILE, metafile);
  CloseClipboard();
}

// The same picture as an old-style metafile, 8 x 4 units mapped onto 8 x 4 hundredths of
// a millimetre, as a program that offers only that form puts it.
void PutClipboardOldMetafile(HWND owner) {
  HDC dc = CreateMetaFileW(nullptr);
  SetWindowExtEx(dc, 8, 4, nullptr);
  RECT field{0, 0, 8, 4}, left{0, 0, 4, 4};
  FillRect(dc, &field, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HMETAFILE metafile = CloseMetaFile(dc);
  ASSERT_NE(metafile, nullptr);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  *static_cast<METAFILEPICT*>(GlobalLock(block)) = METAFILEPICT{MM_ANISOTROPIC, 8 * 265, 4 * 265, metafile};
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_METAFILEPICT, block);
  CloseClipboard();
}

// Either metafile form is drawn from the bounds of what it holds (7 x 3 pixels for the
// enhanced one); the scaling button draws the floating metafile again.
TEST_F(EditorWindow, PastedMetafileBecomesCharactersAndItsScalingButtonDrawsItAgain) {
  const Rows enhancedFree(5, "#######     ");
  struct MetafileCase {
    void (*put)(HWND owner);
    int scaling;
    Rows rows;
  };
  const MetafileCase cases[] = {
      {PutClipboardMetafile, 0, {"............", "..####   ...", "..####   ...", "..####   ...", "............"}},
      {PutClipboardMetafile, 2, enhancedFree},
      {PutClipboardOldMetafile, 2, Rows(5, "######      ")},
  };
  for (const MetafileCase& c : cases) {
    editor_.preferences.scalingMode = static_cast<std::uint8_t>(c.scaling);
    c.put(editor_.frame);
    Command(CMD_PASTE);
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(editor_.document->current.sourceKind, glyphora::SourceKind::Metafile);
    EXPECT_EQ(FloatingRows(), c.rows) << "scaling " << c.scaling;
  }
  Command(CMD_CLEAR);
  editor_.preferences.scalingMode = 0;
  PutClipboardMetafile(editor_.frame);
  Command(CMD_PASTE);
  ClickOption(k_sourceButton);  // direct -> fit
  ClickOption(k_sourceButton);  // fit -> free: stretched over the whole page
  EXPECT_EQ(editor_.preferences.scalingMode, 2);
  EXPECT_EQ(FloatingRows(), enhancedFree);
}

}  // namespace

namespace {

// The handle is the cell past the floating selection's bottom-right corner.
TEST_F(EditorWindow, DraggingTheCornerHandleResizesTheFloatingSelectionAsOneAction) {
  SetRows({"ab..", "cd.."});
  ClickTool(k_selectTool);
  Drag({{0, 0}, {1, 1}});
  ASSERT_EQ(FloatingRows(), (Rows{"ab", "cd"}));
  Drag({{2, 2}, {3, 2}, {4, 3}});  // a page: extended with empty cells
  EXPECT_EQ(FloatingRows(), (Rows{"ab..", "cd..", "...."}));
  Drag({{4, 3}, {1, 1}});  // ... or cut
  EXPECT_EQ(FloatingRows(), (Rows{"a"}));
  Command(CMD_UNDO);
  EXPECT_EQ(FloatingRows(), (Rows{"ab..", "cd..", "...."}));
  Command(CMD_CLEAR);

  editor_.preferences.scalingMode = 2;  // a picture is drawn again at the new size
  PutClipboardPicture(editor_.frame);
  Command(CMD_PASTE);
  ASSERT_EQ(FloatingRows().size(), 5u);
  Drag({{12, 5}, {6, 3}});
  Rows picture = FloatingRows();
  ASSERT_EQ(picture.size(), 3u);
  EXPECT_EQ(picture[0].size(), 6u);
  EXPECT_EQ(CountOf(picture, '.'), 0);
  EXPECT_EQ(picture[0].substr(0, 3), std::string(3, picture[0][0]));  // the black half stays the left half
  EXPECT_NE(picture[0][0], picture[0][5]);
}

}  // namespace
