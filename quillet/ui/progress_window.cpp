#include "quillet/ui/progress_window.h"

#include <exception>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/frame/auto_check.h"
#include "quillet/frame/progress_window.h"
#include "quillet/transport/transport_texts.h"
#include "quillet/ui/transfer_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr UINT_PTR k_animationTimer = 1;
constexpr UINT k_animationMs = 120;
constexpr int k_frameWidth = 32;
constexpr COLORREF k_transparent = RGB(0x80, 0x00, 0x80);

void SetLabel(TProgressWindow* window, int id, const std::string& text) {
  if (window->hwnd == nullptr) return;
  kit::SetWindowTextGbk(GetDlgItem(window->hwnd, id), text);
  if (window->context.changed) window->context.changed(window->hwnd);
}

void AddHint(TProgressWindow* window) {
  HWND button = GetDlgItem(window->hwnd, QUILLET_IDC_PROGRESS_HIDE);
  window->hint = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window->hwnd,
                                 nullptr, kit::ModuleInstance(), nullptr);
  std::wstring text = platform::win32::WideFromGbk(k_textHideProgressHint);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window->hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text.data();
  SendMessageW(window->hint, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void InitWindow(TProgressWindow* window) {
  kit::SetWindowTextGbk(GetDlgItem(window->hwnd, QUILLET_IDC_PROGRESS_CANCEL), k_textCancelCaption);
  AddHint(window);
  window->frames = ImageList_LoadImageW(kit::ModuleInstance(), L"ANI_PROGRESS", k_frameWidth, 0, k_transparent,
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

void DrawFrame(TProgressWindow* window, const DRAWITEMSTRUCT* item) {
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (window->frames != nullptr) ImageList_Draw(window->frames, window->frame, item->hDC, 0, 0, ILD_TRANSPARENT);
}

void Animate(TProgressWindow* window) {
  const int count = window->frames != nullptr ? ImageList_GetImageCount(window->frames) : 0;
  window->frame = NextAnimationFrame(window->frame, count, window->direction);
  InvalidateRect(GetDlgItem(window->hwnd, QUILLET_IDC_PROGRESS_ANIMATION), nullptr, FALSE);
}

// The visibility rule of an automatic check decides whether the window shows itself.
void ShowAtStart(TProgressWindow* window) {
  const TSystemSettings& settings = window->context.manager.Settings();
  if (ProgressWindowShown(settings, window->userStarted, window->context.leftVisible))
    ShowProgressWindow(window);
}

void Hide(TProgressWindow* window) {
  ShowWindow(window->hwnd, SW_HIDE);
  window->context.leftVisible = false;
}

// The whole run, pumping messages inside the client; the window closes itself after it,
// whatever happened.
void Run(TProgressWindow* window) {
  ShowAtStart(window);
  SetTimer(window->hwnd, k_animationTimer, k_animationMs, nullptr);
  TProgressContext& c = window->context;
  TNetworkProgress run(c.progress, c.manager, c.passwords, c.prompts, *window);
  window->run = &run;
  try {
    if (window->direction == TProgressDirection::Receive) {
      TReceiveRequest request;
      request.Quiet = !window->userStarted;
      if (window->accounts) request.Accounts = &*window->accounts;
      run.Receive(request);
    } else {
      run.Send();
    }
  } catch (const std::exception& error) {
    c.prompts.ShowMessage(error.what());
  }
  window->run = nullptr;
  if (window->hwnd != nullptr) DestroyWindow(window->hwnd);
}

void Close(TProgressWindow* window) {
  if (ProgressCloseAction(window->context.progress.Running()) == TProgressCloseAction::Hide) Hide(window);
  else DestroyWindow(window->hwnd);
}

bool Command(TProgressWindow* window, int id) {
  switch (id) {
    case QUILLET_IDC_PROGRESS_HIDE:
      Hide(window);
      return true;
    case QUILLET_IDC_PROGRESS_CANCEL:
      if (window->run != nullptr) window->run->Cancel();
      return true;
    case IDCANCEL:  // Esc or the close box
      Close(window);
      return true;
    default:
      return false;
  }
}

// Destroyed with its owner (the main window closing) while a client runs: the run is
// cancelled, so that it ends at once instead of working on behind no window.
void Destroyed(TProgressWindow* window) {
  if (window->run != nullptr) window->run->Cancel();
  KillTimer(window->hwnd, k_animationTimer);
  if (window->frames != nullptr) ImageList_Destroy(window->frames);
  window->frames = nullptr;
  window->hint = nullptr;  // a child of the window, gone with it
  window->hwnd = nullptr;
}

INT_PTR CALLBACK ProgressProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = kit::DialogState<TProgressWindow>(hwnd, message, lParam);
  if (window == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitWindow(window);
      return TRUE;
    case k_startProgressMessage:
      Run(window);
      return TRUE;
    case WM_TIMER:
      if (wParam == k_animationTimer) Animate(window);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != QUILLET_IDC_PROGRESS_ANIMATION) return FALSE;
      DrawFrame(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      return Command(window, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CLOSE:
      Close(window);
      return TRUE;
    case WM_NCDESTROY:
      Destroyed(window);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

TProgressWindow::~TProgressWindow() {
  if (hwnd != nullptr) DestroyWindow(hwnd);
}

void TProgressWindow::Caption(const std::string& text) {
  if (hwnd != nullptr) kit::SetWindowTextGbk(hwnd, text);
}
void TProgressWindow::StatusText(const std::string& text) { SetLabel(this, QUILLET_IDC_PROGRESS_STATUS, text); }
void TProgressWindow::CurrentText(const std::string& text) { SetLabel(this, QUILLET_IDC_PROGRESS_CURRENT, text); }
void TProgressWindow::CommandText(const std::string& text) { SetLabel(this, QUILLET_IDC_PROGRESS_COMMAND, text); }

void TProgressWindow::Gauge(std::int32_t percent) {
  if (hwnd != nullptr) SendDlgItemMessageW(hwnd, QUILLET_IDC_PROGRESS_GAUGE, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  if (context.gaugeMirror) context.gaugeMirror(percent);
}

bool StartProgressWindow(TProgressWindow* window, HWND owner) {
  HWND hwnd = CreateDialogParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_PROGRESS), owner,
                                 ProgressProcedure, reinterpret_cast<LPARAM>(window));
  if (hwnd == nullptr) return false;
  PostMessageW(hwnd, k_startProgressMessage, 0, 0);
  return true;
}

void ShowProgressWindow(TProgressWindow* window) {
  if (window->hwnd == nullptr) return;
  ShowWindow(window->hwnd, SW_SHOW);
  window->context.leftVisible = true;
}

}  // namespace quillet::ui
