// TF_viewer: an MDI child that shows one message in a message pane, titled with its
// subject. The viewer module keeps the open ones; a closed one tells it through `closed`.
#pragma once

#include <windows.h>

#include <functional>

#include "quillet/ui/message_pane.h"

namespace quillet::ui {

struct TViewerWindow {
  explicit TViewerWindow(TViewerServices& services) : pane(services) {}

  HWND hwnd = nullptr;
  TMessagePane pane;
  std::function<void(TViewerWindow*)> closed;  // after the window is gone
};

// Created in the MDI client (maximised like the window before it) and activated; null
// when it cannot be.
HWND CreateViewerWindow(TViewerWindow* window, HWND mdiClient);
// Shows a message in the window and titles it with the subject; false (told) on error.
bool ShowViewerMessage(TViewerWindow* window, TBoxObject& box, std::int32_t id);

}  // namespace quillet::ui
