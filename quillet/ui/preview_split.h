// The preview pane's place in TF_tree: below or beside the message list (SplitType),
// with a splitter the mouse drags; the positions are the settings' HSplitPos and
// VSplitPos (pane_split.h for the geometry).
#pragma once

#include <windows.h>

#include <functional>

#include "quillet/frame/pane_split.h"
#include "quillet/store/system/system_settings.h"

namespace quillet::ui {

struct TPreviewSplit {
  HWND preview = nullptr;   // none: the list fills the area
  HWND splitter = nullptr;  // a plain bar the mouse passes through to the window
  bool shown = false;
  TSystemSettings* settings = nullptr;
  std::function<void()> moved;  // a drag ended; the new position is in the settings
  bool dragging = false;
  HWND list = nullptr;
  TPaneBox area;  // where the list and the preview were last laid out
};

// Makes the splitter bar in the window that holds the list.
void CreateSplitter(TPreviewSplit* split, HWND window);
// Places the list, the splitter and the preview in the area (client coordinates).
void LayoutSplit(TPreviewSplit* split, HWND list, const TPaneBox& area);
// The window's mouse messages over the splitter: the size cursor, the drag. True when
// the split handled the message.
bool SplitMouse(TPreviewSplit* split, HWND window, UINT message, LPARAM lParam);

}  // namespace quillet::ui
