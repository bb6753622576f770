#include "platform/win32/ui/message_box.h"

#include "platform/win32/wide.h"

namespace platform::win32::ui {

namespace {

// The box is made inside MessageBoxW, so its buttons are renamed from a CBT hook when it
// is activated. The hook has no parameter of its own: the captions and the hook handle
// ride in this record for the one call on this thread.
struct CaptionHook {
  HHOOK hook = nullptr;
  const ButtonCaptions* captions = nullptr;
  bool done = false;
};
thread_local CaptionHook* t_captionHook = nullptr;

void SetCaption(HWND box, int id, const char* caption) {
  HWND button = GetDlgItem(box, id);
  if (button != nullptr && caption != nullptr) SetWindowTextW(button, WideFromGbk(caption).c_str());
}

LRESULT CALLBACK CaptionHookProc(int code, WPARAM wParam, LPARAM lParam) {
  CaptionHook* state = t_captionHook;
  if (code == HCBT_ACTIVATE && state != nullptr && !state->done) {
    HWND box = reinterpret_cast<HWND>(wParam);
    const ButtonCaptions& c = *state->captions;
    SetCaption(box, IDOK, c.ok);
    SetCaption(box, IDCANCEL, c.cancel);
    SetCaption(box, IDYES, c.yes);
    SetCaption(box, IDNO, c.no);
    SetCaption(box, IDRETRY, c.retry);
    SetCaption(box, IDHELP, c.help);
    state->done = true;
  }
  return CallNextHookEx(state != nullptr ? state->hook : nullptr, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT style,
                   const ButtonCaptions& captions) {
  CaptionHook state;
  state.captions = &captions;
  CaptionHook* outer = t_captionHook;  // a box shown from inside another box's hook
  t_captionHook = &state;
  state.hook = SetWindowsHookExW(WH_CBT, CaptionHookProc, nullptr, GetCurrentThreadId());
  int answer = MessageBoxW(owner, WideFromGbk(text).c_str(), WideFromGbk(title).c_str(), style);
  if (state.hook != nullptr) UnhookWindowsHookEx(state.hook);
  t_captionHook = outer;
  return answer;
}

}  // namespace platform::win32::ui
