// Message boxes whose buttons carry the program's own captions, whatever the system's
// language: the mail programs' Chinese ones, the text-art editor's English ones. Texts
// are GBK; the box shows them through the W functions.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32::ui {

// Captions of the standard buttons (GBK); a null caption keeps the system's own.
struct ButtonCaptions {
  const char* ok;
  const char* cancel;
  const char* yes;
  const char* no;
  const char* retry;
  const char* help;
};

constexpr ButtonCaptions k_chineseCaptions{"确定", "取消", "是(&Y)", "否(&N)", "重试(&R)", "帮助(&H)"};
constexpr ButtonCaptions k_englishCaptions{"OK", "Cancel", "&Yes", "&No", "&Retry", "&Help"};

// MessageBoxW with the captions put on its buttons; returns the button pressed (IDYES...),
// 0 when the box could not be shown.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT style,
                   const ButtonCaptions& captions);

}  // namespace platform::win32::ui
