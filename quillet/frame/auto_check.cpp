#include "quillet/frame/auto_check.h"

bool AutoCheckDue(const TSystemSettings& settings, const TAutoCheckState& state) {
  if (!settings.AutoCheck || settings.AutoCheckMinutes <= 0) return false;
  if (state.modalWindowUp || state.running != TProgressManager::TRunning::Idle) return false;
  return state.msSinceLastCheck >= static_cast<std::int64_t>(settings.AutoCheckMinutes) * 60 * 1000;
}

bool ProgressWindowShown(const TSystemSettings& settings, bool userStarted, bool leftVisible) {
  return settings.ShowProgress && (userStarted || leftVisible);
}
