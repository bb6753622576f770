// TDlg_progress: the modeless network progress window. Made hidden for one receive or
// send, it starts its run on k_startProgressMessage (posted after it is made), shows the
// session in its three labels, gauge and animation, and closes itself when the run ends.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quillet/transport/network_progress.h"

namespace quillet::ui {

// The start of a run, posted to a new progress window (also what the main window sends).
inline constexpr UINT k_startProgressMessage = WM_USER + 220;

// What a progress window shares with the main window for the program's run.
struct TProgressContext {
  TProgressManager& progress;
  TSystemManager& manager;
  TPasswordList& passwords;
  TUserPrompts& prompts;
  // The record that the user left the window visible: set when it is shown, cleared by
  // SB_hide, read by an automatic check.
  bool& leftVisible;
  std::function<void(std::int32_t percent)> gaugeMirror;  // the main window's progress bar
  std::function<void(HWND window)> changed;                // after each change of its texts
};

struct TProgressWindow : public TProgressView {
  TProgressWindow(TProgressContext context, TProgressDirection direction, bool userStarted)
      : context(std::move(context)), direction(direction), userStarted(userStarted) {}
  ~TProgressWindow() override;
  TProgressWindow(const TProgressWindow&) = delete;
  TProgressWindow& operator=(const TProgressWindow&) = delete;

  void Caption(const std::string& text) override;
  void StatusText(const std::string& text) override;
  void CurrentText(const std::string& text) override;
  void CommandText(const std::string& text) override;
  void Gauge(std::int32_t percent) override;

  HWND hwnd = nullptr;  // none once the window closed
  TProgressContext context;
  TProgressDirection direction;
  bool userStarted;           // an automatic check is not: it may stay hidden
  // A receive from these accounts only (TBtn_Check's drop-down); none: every account.
  std::optional<std::vector<TOneConnection>> accounts;
  TNetworkProgress* run = nullptr;  // while the run goes on, for BtnCancel
  HIMAGELIST frames = nullptr;      // the animation strip
  int frame = 0;
  HWND hint = nullptr;              // SB_hide's tooltip
};

// Makes the window, hidden and owned by `owner`, and posts it the start; false when it
// cannot be made.
bool StartProgressWindow(TProgressWindow* window, HWND owner);
// SB_showprog: shows the running window (and records it as left visible).
void ShowProgressWindow(TProgressWindow* window);

}  // namespace quillet::ui
