// Where TF_tree puts the message list, the splitter and the preview pane inside the area
// right of the mailbox tree. The splitter position (HSplitPos, VSplitPos) is the list's
// height when the preview lies below it, its width when the preview lies beside it.
#pragma once

#include <optional>

#include "quillet/frame/window_toggles.h"

struct TPaneBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct TPaneLayout {
  TPaneBox list;
  TPaneBox splitter;  // empty when the preview is hidden
  TPaneBox preview;   // empty when the preview is hidden
};

inline constexpr int k_splitterThickness = 5;
// Neither pane is dragged or laid out smaller than this while the area has room for both.
inline constexpr int k_minPaneExtent = 30;

// The position kept inside the area's extent (its height or width along the split), so
// that both panes keep k_minPaneExtent; an area too small for that gives the list half.
int ClampSplitPosition(int extent, int position);
// The list alone fills the area when the preview is hidden.
TPaneLayout LayoutPanes(const TPaneBox& area, TSplitKind kind, int position, bool previewShown);
// The position a splitter dragged to the mouse point (relative to the area) takes,
// clamped as above.
int SplitPositionAt(const TPaneBox& area, TSplitKind kind, int x, int y);
// Whether a point (relative to the area) is on the splitter.
bool OnSplitter(const TPaneLayout& layout, int x, int y);

// The row the previous (step -1) or next (step 1) button moves to from row in a list of
// count rows; from no row (-1) the first row either way; none past either end.
std::optional<int> SteppedRow(int count, int row, int step);
