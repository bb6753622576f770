#include "quillet/frame/progress_window.h"

#include <algorithm>

int NextAnimationFrame(int frame, int frameCount, TProgressDirection direction) {
  if (frameCount <= 0 || frame < 0 || frame >= frameCount) return 0;
  const int step = direction == TProgressDirection::Receive ? 1 : frameCount - 1;
  return (frame + step) % frameCount;
}

TProgressCloseAction ProgressCloseAction(TProgressManager::TRunning running) {
  return running == TProgressManager::TRunning::Idle ? TProgressCloseAction::Destroy : TProgressCloseAction::Hide;
}

std::array<int, 3> ProgressPanelEdges(int firstEdge, int barWidth, int panelWidth) {
  return {firstEdge, std::max(firstEdge, barWidth - panelWidth), -1};
}
