// The main window's receive and send: the commands M_file_getnewmail (TBtn_Check),
// M_file_SendQueue (TBtn_send), M_file_SendGet, M_tools_clearpwd and SB_showprog, the
// network messages 2063 and 2065, the progress panel and the automatic check's timer.
// What each command decides is quillet/frame's (transfer_commands.h, auto_check.h); this
// carries the answer out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "quillet/frame/transfer_commands.h"
#include "quillet/transport/password_list.h"
#include "quillet/transport/progress_manager.h"
#include "quillet/ui/progress_panel.h"
#include "quillet/ui/progress_window.h"

namespace quillet::ui {

struct TClientApp;

// The automatic check's timer on the main window, and how often it looks.
inline constexpr UINT_PTR k_autoCheckTimer = 0x4143;  // "AC"
inline constexpr UINT k_autoCheckTickMs = 30 * 1000;

struct TTransferState {
  explicit TTransferState(HWND frame) : progress(reinterpret_cast<platform::WindowHandle>(frame)) {}

  TProgressManager progress;  // tells the main window of each run (2063)
  TPasswordList passwords;    // typed this run; M_tools_clearpwd forgets them
  TNetworkControls controls;  // as the last 2063 left them
  TProgressPanel panel;
  std::unique_ptr<TProgressWindow> window;  // the last run's; its hwnd is none once it closed
  bool progressLeftVisible = false;
  ULONGLONG lastCheckEnded = GetTickCount64();  // the program's start counts as a check
  std::function<void()> beep = [] { MessageBeep(MB_OK); };
  std::function<void(HWND)> progressChanged;  // after each change of the progress window's texts
};

// Adds the commands to the frame's table, the panel to its status bar, and starts the
// automatic check's timer. Needs the manager and the frame.
void AddTransferCommands(TClientApp* app);
// The items "PM_recv<i>" of TBtn_Check's drop-down, a receive from further account i
// alone; again after the accounts changed.
void AddAccountReceiveCommands(TClientApp* app);

// The receive command. A user's receive tells why it is refused; an automatic one
// (userStarted false, a quiet run) is refused silently and its window may stay hidden.
// While a run is on it only beeps: the items are greyed then, but a click that was
// already on its way (a toolbar button, a queued command) still arrives here.
void ReceiveNewMail(TClientApp* app, bool userStarted);

}  // namespace quillet::ui
