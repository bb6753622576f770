#include "quillet/frame/window_toggles.h"

namespace {
constexpr char k_section[] = "Window Position";
}

TWindowToggles LoadWindowToggles(const TSetupManager& setup) {
  return {setup.ReadBool(k_section, "Toolbar", true), setup.ReadBool(k_section, "StatusBar", true),
          setup.ReadBool(k_section, "preview", true)};
}

void SaveWindowToggles(const TWindowToggles& toggles, const TSetupManager& setup) {
  setup.WriteBool(k_section, "Toolbar", toggles.toolbar);
  setup.WriteBool(k_section, "StatusBar", toggles.statusBar);
  setup.WriteBool(k_section, "preview", toggles.preview);
}

bool ToggleItem(const std::string& item, TWindowToggles& toggles, TSystemSettings& settings) {
  bool* flag = item == "M_tools_toolbar"     ? &toggles.toolbar
               : item == "M_tools_statusbar" ? &toggles.statusBar
               : item == "M_tools_title"     ? &toggles.preview
               : item == "M_tools_largebtn"  ? &settings.LargeButton
                                             : nullptr;
  if (!flag) return false;
  *flag = !*flag;
  return true;
}

std::optional<TSplitKind> SplitOfItem(const std::string& item) {
  if (item == "M_view_H") return TSplitKind::Horizontal;
  if (item == "M_view_V") return TSplitKind::Vertical;
  return std::nullopt;
}

TSplitKind SplitOf(const TSystemSettings& settings) {
  return settings.SplitType == static_cast<std::int32_t>(TSplitKind::Vertical) ? TSplitKind::Vertical
                                                                               : TSplitKind::Horizontal;
}

std::int32_t SplitPosition(const TSystemSettings& settings) {
  return SplitOf(settings) == TSplitKind::Vertical ? settings.VSplitPos : settings.HSplitPos;
}
