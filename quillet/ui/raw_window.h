// The raw message window: a message's header lines and its whole text as stored, each in
// a read-only edit. An MDI child; the viewer module keeps the open ones.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillet::ui {

struct TRawWindow {
  HWND hwnd = nullptr;
  HWND headerLabel = nullptr;
  HWND header = nullptr;
  HWND textLabel = nullptr;
  HWND text = nullptr;
  std::string headerText;  // GBK, CR LF line ends
  std::string wholeText;
  std::function<void(TRawWindow*)> closed;  // after the window is gone
};

// Created in the MDI client with the texts already in the struct; null when it cannot be.
HWND CreateRawWindow(TRawWindow* window, HWND mdiClient);

}  // namespace quillet::ui
