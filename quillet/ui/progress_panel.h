// P_progbar: the main window's progress panel, a third status bar part after the first
// two, shown only while a receive or send runs. It holds the progress bar ProgBar and the
// speed button SB_showprog, which brings the progress window back. The status bar's other
// speed button, SB_preview, stays at the right end of the second part, beside the panel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace quillet::ui {

struct TProgressPanel {
  HWND statusBar = nullptr;
  HWND bar = nullptr;         // ProgBar
  HWND showButton = nullptr;     // SB_showprog
  HWND previewButton = nullptr;  // SB_preview, pressed while the preview pane shows
  bool visible = false;
  std::function<void()> showClicked;
  std::function<void()> previewClicked;
};

// Makes the hidden panel's controls and SB_preview in the status bar.
void CreateProgressPanel(TProgressPanel* panel, HWND statusBar);
// Shows the panel in its own part, or hides it and gives the status bar its two parts back.
void ShowProgressPanel(TProgressPanel* panel, bool visible);
// Places the part, its controls and SB_preview again after the status bar changed size.
void LayoutProgressPanel(TProgressPanel* panel);
void SetProgressPanelPercent(TProgressPanel* panel, std::int32_t percent);

}  // namespace quillet::ui
