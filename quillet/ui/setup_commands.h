// The setup module's commands of the main window: M_tools_setup opens the setup dialog;
// M_tools_toolbar, M_tools_statusbar and M_tools_largebtn show or hide the toolbar and
// the status bar and switch the toolbar's glyph size, each kept in the ini file
// (window_toggles.h) and ticked in the menu while on. M_help_about tells the program's
// title and version in a box titled "Quillet".
#pragma once

#include "quillet/ui/tool_bar.h"

namespace quillet::ui {

struct TClientApp;

struct TSetupWindows {
  TToolBar toolBar;
};

// Makes the toolbar as the ini file says and adds the commands.
void AddSetupCommands(TClientApp* app);

}  // namespace quillet::ui
