#include "quillet/ui/raw_window.h"

#include <algorithm>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/ui/child_control.h"
#include "quillet/ui/viewer_resources.h"
#include "quillet/viewer/viewer_texts.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr wchar_t k_rawClass[] = L"TF_rawmsg";
constexpr int k_labelHeight = 18;
constexpr DWORD k_textStyle = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL |
                              WS_TABSTOP;

void CreateControls(TRawWindow* window) {
  window->headerLabel = CreateChildControl(window->hwnd, L"STATIC", 0, -1, 0, viewer_texts::k_rawHeaderLabel);
  window->header = CreateChildControl(window->hwnd, L"EDIT", k_textStyle, QUILLET_IDC_RAW_HEADER, WS_EX_CLIENTEDGE);
  window->textLabel = CreateChildControl(window->hwnd, L"STATIC", 0, -1, 0, viewer_texts::k_rawTextLabel);
  window->text = CreateChildControl(window->hwnd, L"EDIT", k_textStyle, QUILLET_IDC_RAW_TEXT, WS_EX_CLIENTEDGE);
  // An edit holds 32K characters unless told more.
  SendMessageW(window->text, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  kit::SetWindowTextGbk(window->header, window->headerText);
  kit::SetWindowTextGbk(window->text, window->wholeText);
}

// The header lines take the upper third, the whole text the rest.
void Layout(TRawWindow* window) {
  RECT client;
  GetClientRect(window->hwnd, &client);
  const int third = std::max<int>(client.bottom / 3, k_labelHeight * 2);
  MoveWindow(window->headerLabel, 2, 0, client.right - 2, k_labelHeight, TRUE);
  MoveWindow(window->header, 0, k_labelHeight, client.right, third - k_labelHeight, TRUE);
  MoveWindow(window->textLabel, 2, third, client.right - 2, k_labelHeight, TRUE);
  MoveWindow(window->text, 0, third + k_labelHeight, client.right,
             std::max<int>(client.bottom - third - k_labelHeight, 0), TRUE);
}

LRESULT CALLBACK RawProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = kit::MdiChildState<TRawWindow>(hwnd, message, lParam);
  if (window == nullptr) return DefMDIChildProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      return 0;
    case WM_SIZE:
      Layout(window);
      break;  // DefMDIChildProcW keeps the MDI state right
    case WM_SETFOCUS:
      SetFocus(window->text);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (const auto closed = window->closed) closed(window);  // frees the window
      break;
    default:
      break;
  }
  return DefMDIChildProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateRawWindow(TRawWindow* window, HWND mdiClient) {
  if (!kit::RegisterWindowClass({k_rawClass, RawProcedure, nullptr, nullptr,
                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}))
    return nullptr;
  return CreateMdiChild(mdiClient, k_rawClass, platform::win32::WideFromGbk(viewer_texts::k_rawTitle), window);
}

}  // namespace quillet::ui
