// The progress window's animation and close rule, and the status bar's progress panel.
#include <gtest/gtest.h>

#include <vector>

#include "quillet/frame/progress_window.h"

namespace {

using TRunning = TProgressManager::TRunning;

TEST(ProgressWindow, AnimationRunsForwardsReceivingAndBackwardsSending) {
  struct Case {
    int frame, count;
    TProgressDirection direction;
    int next;
  };
  const std::vector<Case> cases = {
      {0, 8, TProgressDirection::Receive, 1}, {7, 8, TProgressDirection::Receive, 0},
      {0, 8, TProgressDirection::Send, 7},    {5, 8, TProgressDirection::Send, 4},
      {9, 8, TProgressDirection::Receive, 0}, {-1, 8, TProgressDirection::Send, 0},
      {0, 0, TProgressDirection::Receive, 0}, {0, 1, TProgressDirection::Send, 0},
  };
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(NextAnimationFrame(cases[i].frame, cases[i].count, cases[i].direction), cases[i].next) << i;
}

TEST(ProgressWindow, CloseHidesWhileAClientRuns) {
  EXPECT_EQ(ProgressCloseAction(TRunning::Idle), TProgressCloseAction::Destroy);
  EXPECT_EQ(ProgressCloseAction(TRunning::Sending), TProgressCloseAction::Hide);
  EXPECT_EQ(ProgressCloseAction(TRunning::Receiving), TProgressCloseAction::Hide);
}

TEST(ProgressWindow, PanelFollowsTheFirstTwoParts) {
  EXPECT_EQ(ProgressPanelEdges(220, 760, 160), (std::array<int, 3>{220, 600, -1}));
  EXPECT_EQ(ProgressPanelEdges(220, 300, 160), (std::array<int, 3>{220, 220, -1}));  // a narrow bar
}

}  // namespace
