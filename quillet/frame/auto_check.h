// The automatic mail check of the main window ([Receive] AutoCheck, AutoCheckMinutes) and
// when the progress window shows itself.
#pragma once

#include <cstdint>

#include "quillet/store/system/system_settings.h"
#include "quillet/transport/progress_manager.h"

// What the window knows at a tick of its check timer.
struct TAutoCheckState {
  std::int64_t msSinceLastCheck = 0;  // since the last check, automatic or not, ended
  bool modalWindowUp = false;         // a dialog or message box is up
  TProgressManager::TRunning running = TProgressManager::TRunning::Idle;
};

// True when an automatic (quiet) receive starts now: AutoCheck is set, AutoCheckMinutes
// is above 0 and has passed, no run is under way and no modal window is up. A tick while
// a modal window is up is skipped, not queued: the next tick after it closes checks.
bool AutoCheckDue(const TSystemSettings& settings, const TAutoCheckState& state);

// Whether the progress window shows itself when a run starts: a run the user started
// shows it when [Network] ShowProgress is set; an automatic check stays hidden unless the
// window was left visible by the user at the end of the last run (the system manager's
// record) and ShowProgress is set. SB_showprog shows it at any time.
bool ProgressWindowShown(const TSystemSettings& settings, bool userStarted, bool leftVisible);
