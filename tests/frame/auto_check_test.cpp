// The automatic check's timer decision and the progress window's visibility rule.
#include <gtest/gtest.h>

#include <vector>

#include "quillet/frame/auto_check.h"

namespace {

using TRunning = TProgressManager::TRunning;

TEST(AutoCheck, DueAfterTheMinutesWhenIdleAndNoModalWindow) {
  struct Case {
    bool autoCheck;
    int minutes;
    TAutoCheckState state;
    bool due;
  };
  const std::int64_t fiveMinutes = 5 * 60 * 1000;
  const std::vector<Case> cases = {
      {true, 5, {fiveMinutes, false, TRunning::Idle}, true},
      {true, 5, {fiveMinutes - 1, false, TRunning::Idle}, false},
      {false, 5, {fiveMinutes, false, TRunning::Idle}, false},
      {true, 0, {fiveMinutes, false, TRunning::Idle}, false},
      {true, 5, {fiveMinutes, true, TRunning::Idle}, false},
      {true, 5, {fiveMinutes, false, TRunning::Sending}, false},
      {true, 5, {fiveMinutes, false, TRunning::Receiving}, false},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    TSystemSettings settings;
    settings.AutoCheck = cases[i].autoCheck;
    settings.AutoCheckMinutes = cases[i].minutes;
    EXPECT_EQ(AutoCheckDue(settings, cases[i].state), cases[i].due) << i;
  }
}

TEST(AutoCheck, ProgressWindowShownForUserRunsAndWhenLeftVisible) {
  TSystemSettings settings;
  EXPECT_TRUE(ProgressWindowShown(settings, true, false));
  EXPECT_FALSE(ProgressWindowShown(settings, false, false));
  EXPECT_TRUE(ProgressWindowShown(settings, false, true));
  settings.ShowProgress = false;
  EXPECT_FALSE(ProgressWindowShown(settings, true, true));
}

}  // namespace
