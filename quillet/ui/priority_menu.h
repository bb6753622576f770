// POPMenu: the viewer's priority menu. A right click in a viewer's envelope or body pops
// it up with the message's priority checked; the priority chosen is written into the
// message's header record, and the list's row (its picture and its place in a sort by
// priority) follows.
#pragma once

#include <windows.h>

namespace quillet::ui {

struct TClientApp;
struct TViewerWindow;

// The menu at a screen point for the viewer's message; failures are told.
void ShowPriorityMenu(TClientApp* app, TViewerWindow* viewer, POINT at);

}  // namespace quillet::ui
