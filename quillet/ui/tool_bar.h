// The main window's toolbar (caption "Quillet"): a strip above the MDI client holding the
// buttons of k_toolButtons (tool_buttons.h) with their captions and the glyphs of the
// bitmap "BM_TOOLBAR2" (large) or "BM_TOOLBAR2_SMALL". A button runs its command item
// through the frame's command table and is greyed when the table cannot run it; the
// arrow of TBtn_Check opens PM_recv.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "quillet/ui/frame_window.h"

namespace quillet::ui {

// Button i has the command number k_firstToolButton + i inside the toolbar.
inline constexpr int k_firstToolButton = 1;

struct TToolBar {
  HWND hwnd = nullptr;  // the strip, a child of the frame
  HWND buttons = nullptr;
  TMainFrame* frame = nullptr;
  std::string iniPath;  // where PM_recv finds the further accounts
  bool large = true;
  HIMAGELIST images = nullptr;
  std::array<std::wstring, 11> captions;
};

// Made in the frame (frame->toolBar), hidden until shown; null when it cannot be.
HWND CreateToolBar(TToolBar* bar, TMainFrame* frame, const std::string& iniPath, bool large);
// Large or small glyphs; the frame is laid out again.
void SetToolBarLarge(TToolBar* bar, bool large);
// Places the strip across the top at the given width; its height, 0 when there is none
// or it is hidden.
int LayoutToolBar(HWND strip, int width);
// Each button enabled as the table's item it runs.
void UpdateToolBarStates(HWND strip, const TCommandTable& commands);

}  // namespace quillet::ui
