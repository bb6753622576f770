#include "tests/gui/editor_fixture.h"

#include "glyphora/app/editor_setup.h"
#include "glyphora/app/tool_bar.h"
#include "glyphora/document/doc_geometry.h"
#include "tests/glyphora/page_rows.h"

namespace glyphora_gui_test {

namespace {

// The fixture answering for the editor being tested (one at a time on this thread).
EditorWindow* g_current = nullptr;

}  // namespace

int EditorWindow::Answer(glyphora::app::Editor*, const std::string& text, const std::string& title, UINT) {
  g_current->asked_.push_back(title + "|" + text);
  if (g_current->answers_.empty()) return IDOK;
  int answer = g_current->answers_.front();
  g_current->answers_.erase(g_current->answers_.begin());
  return answer;
}

void EditorWindow::SetUp() {
  g_current = this;
  editor_.ask = Answer;
  editor_.settings.defaultWidth = 12;
  editor_.settings.defaultHeight = 5;
  ASSERT_EQ(glyphora::app::EditorStart(&editor_), 0);
  ASSERT_NE(glyphora::app::EditorOpenWindow(&editor_, SW_SHOWNORMAL), nullptr);
  ASSERT_NE(editor_.document, nullptr);
}

void EditorWindow::TearDown() {
  if (editor_.frame != nullptr) {
    editor_.document->dirty = 0;
    DestroyWindow(editor_.frame);
  }
  MSG message;  // the WM_QUIT the frame posts
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  glyphora::app::EditorFinish(&editor_);
  g_current = nullptr;
}

void EditorWindow::Command(int id) { SendMessageW(editor_.frame, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void EditorWindow::ClickTool(int tool) {
  LPARAM at = MAKELPARAM(10, editor_.tools[tool].buttonTop + 10);
  SendMessageW(editor_.toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(editor_.toolBar, WM_LBUTTONUP, 0, at);
}

void EditorWindow::ClickOption(int index, int part, int parts) {
  RECT r = glyphora::app::ToolBarOptionRect(&editor_, index);
  ASSERT_LT(r.top, r.bottom) << "no option button " << index;
  int x = (2 * part + 1) * glyphora::app::k_toolBarWidth / (2 * parts);
  LPARAM at = MAKELPARAM(x, (r.top + r.bottom) / 2);
  SendMessageW(editor_.toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(editor_.toolBar, WM_LBUTTONUP, 0, at);
}

POINT EditorWindow::CellCentre(int column, int row) const {
  int x, y;
  glyphora::DocCellToPos(*editor_.document, column, row, &x, &y);
  return POINT{x + editor_.grays.fontWidth / 2, y + editor_.grays.fontHeight / 2};
}

void EditorWindow::Drag(const std::vector<std::pair<int, int>>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    POINT p = CellCentre(cells[i].first, cells[i].second);
    UINT message = i == 0 ? WM_LBUTTONDOWN : WM_MOUSEMOVE;
    SendMessageW(editor_.view, message, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
  POINT last = CellCentre(cells.back().first, cells.back().second);
  SendMessageW(editor_.view, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
}

void EditorWindow::MoveTo(int column, int row) {
  POINT p = CellCentre(column, row);
  SendMessageW(editor_.view, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void EditorWindow::Type(const std::string& keys) {
  for (char key : keys) SendMessageW(editor_.frame, WM_CHAR, static_cast<unsigned char>(key), 0);
}

std::vector<std::string> EditorWindow::MainRows() const {
  return glyphora_test::RowsOf(editor_.document->current.mainPage);
}

std::vector<std::string> EditorWindow::FloatingRows() const {
  if (editor_.document->current.floating == 0) return {};
  return glyphora_test::RowsOf(editor_.document->current.floatingPage);
}

void EditorWindow::SetRows(const std::vector<std::string>& rows) {
  glyphora_test::ScopedPage page(rows);
  glyphora::PageMerge(&editor_.document->current.mainPage, page.page, 0, 0, glyphora::BlitMode::Copy);
}

}  // namespace glyphora_gui_test
