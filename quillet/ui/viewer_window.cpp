#include "quillet/ui/viewer_window.h"

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "quillet/ui/child_control.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr wchar_t k_viewerClass[] = L"TF_viewer";

LRESULT CALLBACK ViewerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = kit::MdiChildState<TViewerWindow>(hwnd, message, lParam);
  if (window == nullptr) return DefMDIChildProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      CreateMessagePane(&window->pane, hwnd);
      return 0;
    case WM_SIZE: {
      RECT client;
      GetClientRect(hwnd, &client);
      MoveWindow(window->pane.hwnd, 0, 0, client.right, client.bottom, TRUE);
      break;  // DefMDIChildProcW keeps the MDI state right
    }
    case WM_SETFOCUS:
      SetFocus(window->pane.body);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (const auto closed = window->closed) closed(window);  // frees the window
      return DefMDIChildProcW(hwnd, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefMDIChildProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateViewerWindow(TViewerWindow* window, HWND mdiClient) {
  if (!kit::RegisterWindowClass({k_viewerClass, ViewerProcedure})) return nullptr;
  return CreateMdiChild(mdiClient, k_viewerClass, std::wstring(), window);
}

bool ShowViewerMessage(TViewerWindow* window, TBoxObject& box, std::int32_t id) {
  if (!ShowPaneMessage(&window->pane, box, id)) return false;
  kit::SetWindowTextGbk(window->hwnd, window->pane.message->Envelope().subject);
  return true;
}

}  // namespace quillet::ui
