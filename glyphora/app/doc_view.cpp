#include "glyphora/app/doc_view.h"

#include <algorithm>
#include <string>
#include <vector>

#include "glyphora/app/source_render.h"
#include "glyphora/document/doc_geometry.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/ui/scoped_dc.h"
#include "platform/win32/ui/window_state.h"

namespace glyphora::app {

namespace {

using platform::win32::ScopedGdiObject;
using platform::win32::ScopedSelection;
namespace ui = platform::win32::ui;

constexpr COLORREF k_rulerColour = RGB(0xE0, 0xE0, 0xE0);
constexpr int k_rulerDigits = 5;  // the left ruler holds row numbers up to 16000

struct ViewState {
  HWND hwnd = nullptr;
  Editor* editor = nullptr;
};

int CellWidth(const Editor* e) { return std::max(e->grays.fontWidth, 1); }
int CellHeight(const Editor* e) { return std::max(e->grays.fontHeight, 1); }

// The cells of one row as drawn: the main page with the floating page laid over it.
std::wstring RowText(const DocState& s, int row, int first, int count) {
  std::wstring text(static_cast<size_t>(count), L' ');
  const Page& main = s.mainPage;
  for (int i = 0; i < count; ++i) {
    int x = first + i;
    unsigned char c = 0;
    if (row < main.height && x < main.width) c = main.cells[row * main.width + x];
    if (s.floating != 0) {
      int fx = x - s.floatingColumn, fy = row - s.floatingRow;
      const Page& f = s.floatingPage;
      if (fx >= 0 && fy >= 0 && fx < f.width && fy < f.height) {
        unsigned char fc = f.cells[fy * f.width + fx];
        bool shows = s.mergeMode == BlitMode::Copy || s.mergeMode == BlitMode::EmptyAsBlank ||
                     (s.mergeMode == BlitMode::SkipEmpty && fc != 0) ||
                     (s.mergeMode == BlitMode::SkipBlank && fc != 0 && fc != ' ');
        if (shows) c = fc;
      }
    }
    // Cells are single bytes of the Western code page the display font is made for.
    text[static_cast<size_t>(i)] = c < ' ' ? L' ' : static_cast<wchar_t>(c);
  }
  return text;
}

void PaintRulers(Editor* e, HDC dc, const RECT& client) {
  const DocView& v = e->document->view;
  RECT top{0, 0, client.right, v.top}, left{0, v.top, v.left, client.bottom};
  HBRUSH brush = CreateSolidBrush(k_rulerColour);
  ScopedGdiObject owned(brush);
  FillRect(dc, &top, brush);
  FillRect(dc, &left, brush);
  SetBkMode(dc, TRANSPARENT);
  int cw = CellWidth(e), ch = CellHeight(e);
  const Page& page = e->document->current.mainPage;
  for (int col = v.firstColumn; col < page.width && v.left + (col - v.firstColumn) * cw < client.right; ++col) {
    int x = v.left + (col - v.firstColumn) * cw;
    bool tens = col % 10 == 0;
    MoveToEx(dc, x, v.top - (tens ? ch / 2 : ch / 4), nullptr);
    LineTo(dc, x, v.top);
    if (tens) TextOutW(dc, x + 2, 0, std::to_wstring(col).c_str(), static_cast<int>(std::to_wstring(col).size()));
  }
  for (int row = v.firstRow; row < page.height && v.top + (row - v.firstRow) * ch < client.bottom; ++row) {
    if (row % 5 != 0) continue;
    std::wstring number = std::to_wstring(row);
    TextOutW(dc, 2, v.top + (row - v.firstRow) * ch, number.c_str(), static_cast<int>(number.size()));
  }
}

void PaintCells(Editor* e, HDC dc, const RECT& client) {
  const DocView& v = e->document->view;
  const DocState& s = e->document->current;
  int cw = CellWidth(e), ch = CellHeight(e);
  int columns = std::max(0, std::min<int>(s.mainPage.width - v.firstColumn, (client.right - v.left) / cw + 1));
  std::vector<INT> advances(static_cast<size_t>(columns), cw);
  ScopedSelection font(dc, e->displayFont);
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, RGB(0, 0, 0));
  for (int row = v.firstRow; row < s.mainPage.height; ++row) {
    int y = v.top + (row - v.firstRow) * ch;
    if (y >= client.bottom) break;
    std::wstring text = RowText(s, row, v.firstColumn, columns);
    RECT line{v.left, y, v.left + columns * cw, y + ch};
    SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
    ExtTextOutW(dc, v.left, y, ETO_OPAQUE | ETO_CLIPPED, &line, text.c_str(), static_cast<UINT>(columns),
                advances.data());
  }
  if (s.floating != 0) {  // the selection's frame
    int x, y;
    DocCellToPos(*e->document, s.floatingColumn, s.floatingRow, &x, &y);
    RECT frame{x, y, x + s.floatingPage.width * cw, y + s.floatingPage.height * ch};
    DrawFocusRect(dc, &frame);
  }
}

// The rubber band of a shape or selection being dragged.
void PaintDrag(Editor* e, HDC dc) {
  const ToolDrag& d = e->drag;
  if (!d.active || d.moving) return;
  int tool = e->document->current.tool;
  if (tool != 0 && tool != 6 && tool != 7 && tool != 8) return;
  int x0, y0, x1, y1;
  DocCellToPos(*e->document, std::min(d.startColumn, d.column), std::min(d.startRow, d.row), &x0, &y0);
  DocCellToPos(*e->document, std::max(d.startColumn, d.column) + 1, std::max(d.startRow, d.row) + 1, &x1, &y1);
  RECT band{x0, y0, x1, y1};
  DrawFocusRect(dc, &band);
}

void OnPaint(ViewState* s) {
  ui::ScopedPaint paint(s->hwnd);
  Editor* e = s->editor;
  RECT client;
  GetClientRect(s->hwnd, &client);
  if (e->document == nullptr) return;
  RECT rest = client;
  FillRect(paint.dc(), &rest, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  PaintCells(e, paint.dc(), client);
  PaintRulers(e, paint.dc(), client);
  PaintDrag(e, paint.dc());
}

void SetBar(HWND hwnd, int bar, int position, int last, int page) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = last;
  info.nPage = static_cast<UINT>(std::max(page, 1));
  info.nPos = position;
  SetScrollInfo(hwnd, bar, &info, TRUE);
}

// The new first column or row after a scroll-bar action.
int ScrollTarget(HWND hwnd, int bar, WPARAM wParam, int current, int page) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd, bar, &info);
  switch (LOWORD(wParam)) {
    case SB_LINEUP: return current - 1;
    case SB_LINEDOWN: return current + 1;
    case SB_PAGEUP: return current - page;
    case SB_PAGEDOWN: return current + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos;
    case SB_TOP: return 0;
    case SB_BOTTOM: return info.nMax;
    default: return current;
  }
}

void OnScroll(ViewState* s, int bar, WPARAM wParam) {
  Editor* e = s->editor;
  if (e->document == nullptr) return;
  DocView& v = e->document->view;
  const Page& page = e->document->current.mainPage;
  bool vertical = bar == SB_VERT;
  int visible = vertical ? v.visibleRows : std::max(1, (v.right - v.left) / CellWidth(e));
  int& first = vertical ? v.firstRow : v.firstColumn;
  int last = (vertical ? page.height : page.width) - visible;
  int target = std::clamp(ScrollTarget(s->hwnd, bar, wParam, first, visible), 0, std::max(last, 0));
  if (target == first) return;
  first = target;
  DocViewLayout(e);
  InvalidateRect(s->hwnd, nullptr, FALSE);
}

// The cell under the mouse for the current tool: the selection tool may leave the page,
// the pencil and the rubber may reach below it (the page grows), the others stay on it.
bool MouseCell(Editor* e, LPARAM lParam, int* column, int* row) {
  int tool = e->document->current.tool;
  PinMode mode = tool == 0 ? PinMode::None : (tool == 3 || tool == 4) ? PinMode::ColumnOnly : PinMode::Page;
  int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  DocPosToCell(*e->document, x, y, column, row, mode);
  if (mode == PinMode::ColumnOnly) *row = std::clamp(*row, 0, k_maxDocHeight - 1);
  if (mode == PinMode::Page) *row = std::clamp(*row, 0, e->document->current.mainPage.height - 1);
  return true;
}

// A move without a drag tells the current tool where the next action lands.
void OnPlacing(Editor* e, LPARAM lParam) {
  int column, row;
  MouseCell(e, lParam, &column, &row);
  if (auto placing = e->tools[e->document->current.tool].handlers.placing) placing(e->document, column, row);
}

void OnMouse(ViewState* s, MouseEvent event, LPARAM lParam) {
  Editor* e = s->editor;
  if (e->document == nullptr) return;
  if (event == MouseEvent::Press) SetCapture(s->hwnd);
  if (event == MouseEvent::Drag && !e->drag.active) return OnPlacing(e, lParam);
  if (event == MouseEvent::Release) {
    if (!e->drag.active) return;
    ReleaseCapture();
  }
  int column, row;
  MouseCell(e, lParam, &column, &row);
  const ToolRecord& tool = e->tools[e->document->current.tool];
  if (tool.handlers.mouse != nullptr) tool.handlers.mouse(e->document, static_cast<int>(event), column, row);
  e->drag.active = event != MouseEvent::Release && tool.handlers.mouse != nullptr;
  InvalidateRect(s->hwnd, nullptr, FALSE);  // the rubber band follows the mouse
}

// The cursor tells the tool: the selection tool's arrow (a four-way arrow over the
// floating selection, which a drag moves), the text tools' beam, the drawing tools' cross.
bool OnSetCursor(ViewState* s, LPARAM lParam) {
  Editor* e = s->editor;
  if (LOWORD(lParam) != HTCLIENT || e->document == nullptr) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(s->hwnd, &p);
  int column, row;
  DocPosToCell(*e->document, p.x, p.y, &column, &row, PinMode::None);
  const DocState& state = e->document->current;
  CellRect floating = DocFloatingArea(state);
  bool overFloating = state.floating != 0 && column >= floating.left && column < floating.right &&
                      row >= floating.top && row < floating.bottom;
  const wchar_t* shape = IDC_CROSS;
  if (state.tool == static_cast<int>(ToolIndex::Select))
    shape = OnResizeHandle(state, column, row) ? IDC_SIZENWSE : overFloating ? IDC_SIZEALL : IDC_ARROW;
  if (state.tool == static_cast<int>(ToolIndex::Text) || state.tool == static_cast<int>(ToolIndex::BigText))
    shape = IDC_IBEAM;
  SetCursor(LoadCursorW(nullptr, shape));
  return true;
}

LRESULT CALLBACK ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ViewState* s = ui::WindowState<ViewState>(hwnd, message, lParam);
  if (s == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: OnPaint(s); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_SETCURSOR:
      if (OnSetCursor(s, lParam)) return TRUE;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SIZE: DocViewLayout(s->editor); return 0;
    case WM_VSCROLL: OnScroll(s, SB_VERT, wParam); return 0;
    case WM_HSCROLL: OnScroll(s, SB_HORZ, wParam); return 0;
    case WM_LBUTTONDOWN: OnMouse(s, MouseEvent::Press, lParam); return 0;
    case WM_MOUSEMOVE: OnMouse(s, MouseEvent::Drag, lParam); return 0;
    case WM_LBUTTONUP: OnMouse(s, MouseEvent::Release, lParam); return 0;
    case WM_NCDESTROY: delete s; return DefWindowProcW(hwnd, message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

HWND DocViewCreate(Editor* editor, HWND parent) {
  ui::RegisterWindowClass({k_viewClass, ViewProc, nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr});
  auto* state = new ViewState{nullptr, editor};
  ui::WindowParams params{k_viewClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS,
                      WS_EX_CLIENTEDGE, parent, nullptr, RECT{0, 0, 100, 100}};
  HWND hwnd = ui::CreateStateWindow(params, state);
  if (hwnd == nullptr) delete state;
  return hwnd;
}

void DocViewLayout(Editor* e) {
  if (e->document == nullptr || e->view == nullptr) return;
  RECT client;
  GetClientRect(e->view, &client);
  DocView& v = e->document->view;
  int cw = CellWidth(e), ch = CellHeight(e);
  v.cellWidth = cw;
  v.cellHeight = ch;
  v.left = k_rulerDigits * cw + 4;
  v.top = ch + 4;
  v.right = std::max<int>(client.right, v.left);
  v.bottom = std::max<int>(client.bottom, v.top);
  const Page& page = e->document->current.mainPage;
  v.visibleRows = std::min<int>(page.height, (v.bottom - v.top) / ch);
  int columns = (v.right - v.left) / cw;
  v.firstRow = std::clamp(v.firstRow, 0, std::max(0, page.height - std::max(v.visibleRows, 1)));
  v.firstColumn = std::clamp(v.firstColumn, 0, std::max(0, page.width - std::max(columns, 1)));
  SetBar(e->view, SB_VERT, v.firstRow, page.height - 1, (v.bottom - v.top) / ch);
  SetBar(e->view, SB_HORZ, v.firstColumn, page.width - 1, columns);
}

void ViewLink::ToolTemp(int tool, int leaving) {
  auto h = editor_->tools[tool].handlers.temp;
  if (h != nullptr && document_ != nullptr) h(document_, leaving, 0);
}
void ViewLink::ToolButtons(int tool, int show) {
  auto h = editor_->tools[tool].handlers.buttons;
  if (h != nullptr && document_ != nullptr) h(document_, show);
  if (editor_->toolBar != nullptr) InvalidateRect(editor_->toolBar, nullptr, TRUE);
}
void ViewLink::ToolActive(int tool, int active) {
  auto h = editor_->tools[tool].handlers.active;
  if (h != nullptr && document_ != nullptr) h(document_, active);
}

void ViewLink::InvalArea(const CellRect& cells) {
  if (editor_->view == nullptr || document_ == nullptr || document_ != editor_->document) return;
  int x0, y0, x1, y1;
  DocCellToPos(*editor_->document, cells.left, cells.top, &x0, &y0);
  DocCellToPos(*editor_->document, cells.right, cells.bottom, &x1, &y1);
  RECT area{x0 - 1, y0 - 1, x1 + 1, y1 + 1};
  InvalidateRect(editor_->view, &area, FALSE);
}

void ViewLink::ResetScrolling() {
  DocViewLayout(editor_);
  if (editor_->view != nullptr) InvalidateRect(editor_->view, nullptr, FALSE);
}

Editor* EditorOf(Document* document) { return static_cast<ViewLink*>(document->window)->editor(); }

}  // namespace glyphora::app

