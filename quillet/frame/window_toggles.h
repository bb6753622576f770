// The main window's show/hide toggles and pane layout, kept in the ini file: the toolbar,
// the status bar and the preview pane in [Window Position] "Toolbar", "StatusBar" and
// "preview" (each default 1), the large toolbar buttons in [Receive] LargeButton and the
// split in [Window Position] SplitType (system_settings.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "quillet/store/system/setup_manager.h"
#include "quillet/store/system/system_settings.h"

struct TWindowToggles {
  bool toolbar = true;
  bool statusBar = true;
  bool preview = true;
};

TWindowToggles LoadWindowToggles(const TSetupManager& setup);
// Writes the three keys; EFileException (from the ini file) when it cannot.
void SaveWindowToggles(const TWindowToggles& toggles, const TSetupManager& setup);

// The toggle an M_tools item turns round (M_tools_toolbar, M_tools_statusbar,
// M_tools_title; M_tools_largebtn turns LargeButton of the settings); false for any
// other item.
bool ToggleItem(const std::string& item, TWindowToggles& toggles, TSystemSettings& settings);

// SplitType: 0 the list above the preview (M_view_H), 1 side by side (M_view_V).
enum class TSplitKind : std::int32_t { Horizontal = 0, Vertical = 1 };
std::optional<TSplitKind> SplitOfItem(const std::string& item);
// The split and its splitter position from the settings; a SplitType other than 1 is
// horizontal.
TSplitKind SplitOf(const TSystemSettings& settings);
std::int32_t SplitPosition(const TSystemSettings& settings);
