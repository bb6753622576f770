#include "quillet/ui/preview_split.h"

#include <windowsx.h>

#include "quillet/ui/child_control.h"

namespace quillet::ui {
namespace {

TSplitKind KindOf(const TPreviewSplit* split) { return SplitOf(*split->settings); }

TPaneLayout CurrentLayout(const TPreviewSplit* split) {
  const bool shown = split->shown && split->preview != nullptr && split->settings != nullptr;
  if (!shown) return LayoutPanes(split->area, TSplitKind::Horizontal, 0, false);
  return LayoutPanes(split->area, KindOf(split), SplitPosition(*split->settings), true);
}

void Place(HWND control, const TPaneBox& box) {
  if (control == nullptr) return;
  MoveWindow(control, box.left, box.top, box.width, box.height, TRUE);
  ShowWindow(control, box.width > 0 && box.height > 0 ? SW_SHOWNA : SW_HIDE);
}

void DragTo(TPreviewSplit* split, int x, int y) {
  const int position = SplitPositionAt(split->area, KindOf(split), x, y);
  (KindOf(split) == TSplitKind::Vertical ? split->settings->VSplitPos : split->settings->HSplitPos) = position;
  LayoutSplit(split, split->list, split->area);
}

}  // namespace

void CreateSplitter(TPreviewSplit* split, HWND window) {
  // A static bar without SS_NOTIFY: the mouse goes through it to the window.
  split->splitter = CreateChildControl(window, L"STATIC", SS_ETCHEDFRAME, -1);
}

void LayoutSplit(TPreviewSplit* split, HWND list, const TPaneBox& area) {
  split->list = list;
  split->area = area;
  const TPaneLayout layout = CurrentLayout(split);
  MoveWindow(list, layout.list.left, layout.list.top, layout.list.width, layout.list.height, TRUE);
  Place(split->splitter, layout.splitter);
  Place(split->preview, layout.preview);
}

bool SplitMouse(TPreviewSplit* split, HWND window, UINT message, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (message == WM_SETCURSOR) {
    GetCursorPos(&point);
    ScreenToClient(window, &point);
  }
  const bool onSplitter = OnSplitter(CurrentLayout(split), point.x, point.y);
  switch (message) {
    case WM_SETCURSOR:
      if (!onSplitter && !split->dragging) return false;
      SetCursor(LoadCursorW(nullptr, KindOf(split) == TSplitKind::Vertical ? IDC_SIZEWE : IDC_SIZENS));
      return true;
    case WM_LBUTTONDOWN:
      if (!onSplitter) return false;
      split->dragging = true;
      SetCapture(window);
      return true;
    case WM_MOUSEMOVE:
      if (!split->dragging) return false;
      DragTo(split, point.x, point.y);
      return true;
    case WM_LBUTTONUP:
      if (!split->dragging) return false;
      split->dragging = false;
      ReleaseCapture();
      DragTo(split, point.x, point.y);
      if (split->moved) split->moved();
      return true;
    default:
      return false;
  }
}

}  // namespace quillet::ui
