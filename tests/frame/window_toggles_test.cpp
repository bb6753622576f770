// The main window's toggles kept in the ini file, and its split.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/frame/window_toggles.h"
#include "tests/store/system/system_test_support.h"

namespace {

class WindowTogglesTest : public system_test::SystemTest {};

TEST_F(WindowTogglesTest, ItemsTurnTogglesRoundAndTheyKeepInTheIni) {
  const TSetupManager setup(IniPath());
  TWindowToggles toggles = LoadWindowToggles(setup);
  EXPECT_TRUE(toggles.toolbar && toggles.statusBar && toggles.preview);
  TSystemSettings settings;
  for (const char* item : {"M_tools_toolbar", "M_tools_title", "M_tools_largebtn"})
    EXPECT_TRUE(ToggleItem(item, toggles, settings)) << item;
  EXPECT_FALSE(ToggleItem("M_tools_remote", toggles, settings));
  EXPECT_FALSE(settings.LargeButton);
  SaveWindowToggles(toggles, setup);
  const TWindowToggles back = LoadWindowToggles(TSetupManager(IniPath()));
  EXPECT_FALSE(back.toolbar);
  EXPECT_TRUE(back.statusBar);
  EXPECT_FALSE(back.preview);
  EXPECT_NE(store_test::ReadFileBytes(IniPath()).find("preview=0"), std::string::npos);
}

TEST(WindowSplit, MenuItemsAndSplitterPositions) {
  EXPECT_EQ(SplitOfItem("M_view_H"), TSplitKind::Horizontal);
  EXPECT_EQ(SplitOfItem("M_view_V"), TSplitKind::Vertical);
  EXPECT_FALSE(SplitOfItem("M_view_style"));
  TSystemSettings settings;
  settings.HSplitPos = 140;
  settings.VSplitPos = 200;
  const std::vector<std::tuple<int, TSplitKind, int>> cases = {
      {0, TSplitKind::Horizontal, 140}, {1, TSplitKind::Vertical, 200}, {7, TSplitKind::Horizontal, 140}};
  for (const auto& [type, kind, position] : cases) {
    settings.SplitType = type;
    EXPECT_EQ(SplitOf(settings), kind) << type;
    EXPECT_EQ(SplitPosition(settings), position) << type;
  }
}

}  // namespace
