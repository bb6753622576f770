#include "quillet/frame/pane_split.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

void ExpectBox(const TPaneBox& box, const TPaneBox& expected) {
  EXPECT_EQ(box.left, expected.left);
  EXPECT_EQ(box.top, expected.top);
  EXPECT_EQ(box.width, expected.width);
  EXPECT_EQ(box.height, expected.height);
}

// The three boxes of each split: the list keeps the (clamped) position, the splitter
// follows it, the preview takes the rest; a hidden preview leaves the list the whole area.
TEST(PaneSplit, LayoutPlacesListSplitterAndPreview) {
  const TPaneBox area{180, 0, 400, 300};
  struct TCase {
    TSplitKind kind;
    int position;
    bool shown;
    TPaneBox list, splitter, preview;
  };
  const TCase cases[] = {
      {TSplitKind::Horizontal, 140, true, {180, 0, 400, 140}, {180, 140, 400, 5}, {180, 145, 400, 155}},
      {TSplitKind::Vertical, 140, true, {180, 0, 140, 300}, {320, 0, 5, 300}, {325, 0, 255, 300}},
      {TSplitKind::Horizontal, 5, true, {180, 0, 400, 30}, {180, 30, 400, 5}, {180, 35, 400, 265}},
      {TSplitKind::Horizontal, 999, true, {180, 0, 400, 265}, {180, 265, 400, 5}, {180, 270, 400, 30}},
      {TSplitKind::Vertical, 140, false, {180, 0, 400, 300}, {}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.position);
    const TPaneLayout layout = LayoutPanes(area, c.kind, c.position, c.shown);
    ExpectBox(layout.list, c.list);
    ExpectBox(layout.splitter, c.splitter);
    ExpectBox(layout.preview, c.preview);
  }
}

// Clamping keeps both panes; an area too small for two minimal panes gives the list half.
TEST(PaneSplit, ClampKeepsBothPanes) {
  struct TCase {
    int extent, position, expected;
  };
  const TCase cases[] = {{300, 140, 140}, {300, 0, 30}, {300, 400, 265}, {50, 140, 25}, {0, 140, 0}};
  for (const TCase& c : cases) EXPECT_EQ(ClampSplitPosition(c.extent, c.position), c.expected) << c.extent;
}

// A drag puts the splitter's middle under the mouse along the split's direction only,
// and the point on the splitter is found again.
TEST(PaneSplit, DragFollowsTheMouse) {
  const TPaneBox area{180, 10, 400, 300};
  EXPECT_EQ(SplitPositionAt(area, TSplitKind::Horizontal, 999, 112), 100);
  EXPECT_EQ(SplitPositionAt(area, TSplitKind::Vertical, 282, 999), 100);
  EXPECT_EQ(SplitPositionAt(area, TSplitKind::Vertical, 0, 0), k_minPaneExtent);
  const TPaneLayout layout = LayoutPanes(area, TSplitKind::Horizontal, 100, true);
  EXPECT_TRUE(OnSplitter(layout, 200, 112));
  EXPECT_FALSE(OnSplitter(layout, 200, 109));
  EXPECT_FALSE(OnSplitter(LayoutPanes(area, TSplitKind::Horizontal, 100, false), 200, 112));
}

// Previous and next stop at the ends; with nothing selected either starts at the first row.
TEST(PaneSplit, SteppedRowStopsAtTheEnds) {
  struct TCase {
    int count, row, step;
    std::optional<int> expected;
  };
  const TCase cases[] = {{3, 1, 1, 2}, {3, 1, -1, 0}, {3, 2, 1, std::nullopt}, {3, 0, -1, std::nullopt},
                         {3, -1, -1, 0}, {0, -1, 1, std::nullopt}};
  for (const TCase& c : cases) EXPECT_EQ(SteppedRow(c.count, c.row, c.step), c.expected) << c.row << c.step;
}

}  // namespace
