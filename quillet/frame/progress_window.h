// What the network progress window and the main window's progress panel decide without
// a window: the animation's next frame, what closing the window does, and where the
// status bar's progress panel goes.
#pragma once

#include <array>
#include <cstdint>

#include "quillet/transport/progress_manager.h"

// The frame after `frame` of a strip of `frameCount`: forwards while receiving, backwards
// while sending, wrapping at either end. A frame outside the strip starts it again at 0.
int NextAnimationFrame(int frame, int frameCount, TProgressDirection direction);

// Closing the progress window while a client still runs hides it; only an idle window
// is destroyed.
enum class TProgressCloseAction : std::uint8_t { Hide, Destroy };
TProgressCloseAction ProgressCloseAction(TProgressManager::TRunning running);

// The status bar's part edges (right ends, -1 the bar's end) with the progress panel shown
// after the first two parts: the first part keeps its edge, the second ends where a panel
// of `panelWidth` at the bar's right end begins (never left of the first edge).
std::array<int, 3> ProgressPanelEdges(int firstEdge, int barWidth, int panelWidth);
