#include "quillet/ui/frame_window.h"

#include <commctrl.h>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/instance_handoff.h"
#include "quillet/ui/main_menu.h"
#include "quillet/ui/tool_bar.h"
#include "quillet/ui/transfer_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr int k_statusBarId = 1;
constexpr int k_mdiClientId = 2;
constexpr UINT k_firstChildId = 50000;  // MDI children's ids start here, above every command
constexpr int k_listPanelWidth = 220;
constexpr int k_framePixelWidth = 760;
constexpr int k_framePixelHeight = 540;

void CreateChildren(TMainFrame* frame) {
  CLIENTCREATESTRUCT client{nullptr, k_firstChildId};
  frame->mdiClient = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                     frame->hwnd, reinterpret_cast<HMENU>(k_mdiClientId), kit::ModuleInstance(), &client);
  frame->statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                     frame->hwnd, reinterpret_cast<HMENU>(k_statusBarId), kit::ModuleInstance(), nullptr);
  int edges[] = {k_listPanelWidth, -1};
  SendMessageW(frame->statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void TakeHandOff(TMainFrame* frame, const COPYDATASTRUCT* data) {
  if (data == nullptr || data->lpData == nullptr) return;
  const std::string payload(static_cast<const char*>(data->lpData), data->cbData);
  if (const auto argument = HandOffArgument(payload)) TakeMailtoArgument(frame, *argument);
}

void AddFrameCommands(TMainFrame* frame) {
  frame->commands.Add("M_file_exit", [frame] { DestroyWindow(frame->hwnd); });
}

LRESULT CALLBACK FrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* frame = kit::WindowState<TMainFrame>(hwnd, message, lParam);
  HWND client = frame != nullptr ? frame->mdiClient : nullptr;
  if (frame == nullptr) return DefFrameProcW(hwnd, client, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      CreateChildren(frame);
      AddFrameCommands(frame);
      return 0;
    case WM_INITMENUPOPUP:
      FillPopups(reinterpret_cast<HMENU>(wParam), frame->commands, &frame->popupActions);
      UpdateMenuStates(reinterpret_cast<HMENU>(wParam), frame->commands);
      break;
    case WM_SIZE:
      LayoutFrame(frame);
      return 0;
    case WM_COMMAND:
      if (RunPopupEntry(frame, LOWORD(wParam))) return 0;
      if (LOWORD(wParam) >= k_firstCommandId && LOWORD(wParam) < k_firstPopupEntryId) {
        RunCommand(frame, CommandItem(LOWORD(wParam)));
        return 0;
      }
      break;
    case WM_COPYDATA:
      TakeHandOff(frame, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    case k_countersChangedMessage:
    case k_cipherChangedMessage:
      if (frame->mailboxesChanged) frame->mailboxesChanged(message == k_cipherChangedMessage);
      return 0;
    case k_secondInstanceMessage:
      frame->handOffFlags = static_cast<std::uint32_t>(wParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefFrameProcW(hwnd, client, message, wParam, lParam);
}

}  // namespace

HWND CreateMainFrame(TMainFrame* frame, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring className = platform::win32::WideFromGbk(k_mainWindowClass);
  if (!kit::RegisterWindowClass({className.c_str(), FrameProcedure, nullptr, nullptr,
                                 reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)}))
    return nullptr;
  kit::WindowParams params{className.c_str(), platform::win32::WideFromGbk(frame_texts::k_applicationTitle)};
  params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.menuOrId = BuildMainMenu();
  params.bounds.right = k_framePixelWidth;
  params.bounds.bottom = k_framePixelHeight;
  HWND hwnd = kit::CreateStateWindow(params, frame);
  if (hwnd == nullptr) {
    DestroyMenu(params.menuOrId);
    return nullptr;
  }
  RefreshCommandStates(frame);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  return hwnd;
}

bool RunCommand(TMainFrame* frame, const std::string& item) { return frame->commands.Run(item); }

bool RunPopupEntry(TMainFrame* frame, int id) {
  if (id < k_firstPopupEntryId || id > k_lastPopupEntryId) return false;
  const auto index = static_cast<std::size_t>(id - k_firstPopupEntryId);
  if (index >= frame->popupActions.size()) return false;
  const TCommandTable::TAction action = frame->popupActions[index];  // the action may refill the list
  action();
  return true;
}

void LayoutFrame(TMainFrame* frame) {
  RECT client;
  GetClientRect(frame->hwnd, &client);
  const int top = LayoutToolBar(frame->toolBar, client.right);
  int bottom = client.bottom;
  // Its own style, not IsWindowVisible: the frame is still hidden at its first layout.
  if ((GetWindowLongW(frame->statusBar, GWL_STYLE) & WS_VISIBLE) != 0) {
    SendMessageW(frame->statusBar, WM_SIZE, 0, 0);
    RECT status;
    GetWindowRect(frame->statusBar, &status);
    bottom -= status.bottom - status.top;
  }
  MoveWindow(frame->mdiClient, 0, top, client.right, bottom - top, TRUE);
}

void RefreshCommandStates(TMainFrame* frame) {
  if (frame->hwnd == nullptr) return;
  UpdateMenuStates(GetMenu(frame->hwnd), frame->commands);
  DrawMenuBar(frame->hwnd);
  UpdateToolBarStates(frame->toolBar, frame->commands);
  const bool preview = frame->commands.Checked("M_tools_title");
  CheckDlgButton(frame->statusBar, QUILLET_IDC_SHOW_PREVIEW, preview ? BST_CHECKED : BST_UNCHECKED);
}

void SetStatusText(TMainFrame* frame, int panel, const std::string& text) {
  if (frame->statusBar == nullptr) return;
  const std::wstring wide = platform::win32::WideFromGbk(text);
  SendMessageW(frame->statusBar, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string StatusText(const TMainFrame* frame, int panel) {
  if (frame->statusBar == nullptr) return std::string();
  const auto length = LOWORD(SendMessageW(frame->statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
  std::wstring wide(length + 1u, L'\0');
  SendMessageW(frame->statusBar, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(length);
  return platform::win32::GbkFromWide(wide);
}

void TakeMailtoArgument(TMainFrame* frame, const std::string& argument) {
  auto request = ParseMailto(argument);
  if (!request) return;
  frame->pendingMailto = std::move(request);
  SetStatusText(frame, k_statusTextPanel, frame->pendingMailto->to);
}

void TFrameEvents::MailboxCountersChanged(TIdxFile&) {
  if (frame_->hwnd != nullptr) PostMessageW(frame_->hwnd, k_countersChangedMessage, 0, 0);
}

void TFrameEvents::MailboxCipherChanged(TBoxObject&) {
  if (frame_->hwnd != nullptr) PostMessageW(frame_->hwnd, k_cipherChangedMessage, 0, 0);
}

void TFrameEvents::BusyCursor(bool busy) {
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace quillet::ui
