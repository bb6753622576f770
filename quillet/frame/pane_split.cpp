#include "quillet/frame/pane_split.h"

#include <algorithm>

int ClampSplitPosition(int extent, int position) {
  const int largest = extent - k_splitterThickness - k_minPaneExtent;
  if (largest < k_minPaneExtent) return std::max(extent / 2, 0);
  return std::clamp(position, k_minPaneExtent, largest);
}

namespace {

// The box fields along the split: the preview lies below the list (top, height) or
// beside it (left, width).
struct TAxis {
  int TPaneBox::*start;
  int TPaneBox::*extent;
};

TAxis AxisOf(TSplitKind kind) {
  return kind == TSplitKind::Vertical ? TAxis{&TPaneBox::left, &TPaneBox::width}
                                      : TAxis{&TPaneBox::top, &TPaneBox::height};
}

}  // namespace

TPaneLayout LayoutPanes(const TPaneBox& area, TSplitKind kind, int position, bool previewShown) {
  TPaneLayout layout;
  layout.list = area;
  if (!previewShown) return layout;
  layout.splitter = layout.preview = area;
  const TAxis axis = AxisOf(kind);
  const int extent = area.*axis.extent;
  const int at = ClampSplitPosition(extent, position);
  layout.list.*axis.extent = at;
  layout.splitter.*axis.start = area.*axis.start + at;
  layout.splitter.*axis.extent = std::min(k_splitterThickness, extent - at);
  layout.preview.*axis.start = layout.splitter.*axis.start + layout.splitter.*axis.extent;
  layout.preview.*axis.extent = std::max(extent - at - k_splitterThickness, 0);
  return layout;
}

int SplitPositionAt(const TPaneBox& area, TSplitKind kind, int x, int y) {
  // The mouse holds the splitter's middle.
  const TAxis axis = AxisOf(kind);
  const int mouse = kind == TSplitKind::Vertical ? x : y;
  return ClampSplitPosition(area.*axis.extent, mouse - area.*axis.start - k_splitterThickness / 2);
}

bool OnSplitter(const TPaneLayout& layout, int x, int y) {
  const TPaneBox& s = layout.splitter;
  return s.width > 0 && s.height > 0 && x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height;
}

std::optional<int> SteppedRow(int count, int row, int step) {
  if (count <= 0) return std::nullopt;
  if (row < 0) return 0;
  const int next = row + step;
  if (next < 0 || next >= count) return std::nullopt;
  return next;
}
