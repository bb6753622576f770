#include "quillet/ui/progress_panel.h"

#include <commctrl.h>

#include <array>

#include "platform/win32/ui/window_state.h"
#include "quillet/frame/progress_window.h"
#include "quillet/ui/transfer_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr int k_panelWidth = 180;
constexpr int k_buttonWidth = 24;
constexpr int k_progressPart = 2;
constexpr UINT_PTR k_subclassId = 0x5042;  // "PB"

int FirstEdge(HWND statusBar) {
  std::array<int, 3> edges{};
  SendMessageW(statusBar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  return edges[0];
}

HWND MakeChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
  return CreateWindowExW(0, className, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), kit::ModuleInstance(), nullptr);
}

// The button is the status bar's child, so its click arrives there.
LRESULT CALLBACK StatusBarProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
  auto* panel = reinterpret_cast<TProgressPanel*>(data);
  const std::function<void()>* clicked = nullptr;
  if (message == WM_COMMAND && LOWORD(wParam) == QUILLET_IDC_SHOW_PROGRESS) clicked = &panel->showClicked;
  if (message == WM_COMMAND && LOWORD(wParam) == QUILLET_IDC_SHOW_PREVIEW) clicked = &panel->previewClicked;
  if (clicked != nullptr && *clicked) {
    (*clicked)();
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, StatusBarProcedure, k_subclassId);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// At the right end of the second part; while that part is the last one, left of the grip.
void PlacePreviewButton(TProgressPanel* panel) {
  RECT part;
  SendMessageW(panel->statusBar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  const int right = part.right - (panel->visible ? 0 : GetSystemMetrics(SM_CXVSCROLL));
  MoveWindow(panel->previewButton, right - k_buttonWidth, part.top, k_buttonWidth, part.bottom - part.top, TRUE);
}

}  // namespace

void CreateProgressPanel(TProgressPanel* panel, HWND statusBar) {
  panel->statusBar = statusBar;
  panel->showButton = MakeChild(statusBar, L"BUTTON", L"\u25a1", BS_PUSHBUTTON, QUILLET_IDC_SHOW_PROGRESS);
  panel->bar = MakeChild(statusBar, PROGRESS_CLASSW, nullptr, 0, QUILLET_IDC_PROGRESS_BAR);
  panel->previewButton = MakeChild(statusBar, L"BUTTON", L"\u25a4", BS_CHECKBOX | BS_PUSHLIKE | WS_VISIBLE,
                                   QUILLET_IDC_SHOW_PREVIEW);
  SetWindowSubclass(statusBar, StatusBarProcedure, k_subclassId, reinterpret_cast<DWORD_PTR>(panel));
  PlacePreviewButton(panel);
}

void ShowProgressPanel(TProgressPanel* panel, bool visible) {
  if (panel->statusBar == nullptr) return;
  panel->visible = visible;
  if (visible) {
    SendMessageW(panel->bar, PBM_SETPOS, 0, 0);
    LayoutProgressPanel(panel);
  } else {
    int edges[] = {FirstEdge(panel->statusBar), -1};
    SendMessageW(panel->statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    PlacePreviewButton(panel);
  }
  ShowWindow(panel->showButton, visible ? SW_SHOWNA : SW_HIDE);
  ShowWindow(panel->bar, visible ? SW_SHOWNA : SW_HIDE);
}

void LayoutProgressPanel(TProgressPanel* panel) {
  if (panel->statusBar == nullptr) return;
  if (!panel->visible) {
    PlacePreviewButton(panel);
    return;
  }
  RECT client;
  GetClientRect(panel->statusBar, &client);
  std::array<int, 3> edges = ProgressPanelEdges(FirstEdge(panel->statusBar), client.right, k_panelWidth);
  SendMessageW(panel->statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  RECT part;
  SendMessageW(panel->statusBar, SB_GETRECT, k_progressPart, reinterpret_cast<LPARAM>(&part));
  const int height = part.bottom - part.top;
  MoveWindow(panel->showButton, part.left, part.top, k_buttonWidth, height, TRUE);
  MoveWindow(panel->bar, part.left + k_buttonWidth + 2, part.top, part.right - part.left - k_buttonWidth - 2, height,
             TRUE);
  PlacePreviewButton(panel);
}

void SetProgressPanelPercent(TProgressPanel* panel, std::int32_t percent) {
  if (panel->bar != nullptr) SendMessageW(panel->bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

}  // namespace quillet::ui
