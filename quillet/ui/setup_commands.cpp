#include "quillet/ui/setup_commands.h"

#include <string>

#include "platform/version.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/window_toggles.h"
#include "quillet/ui/client_start.h"
#include "quillet/ui/setup_dialog.h"
#include "quillet/ui/transfer_commands.h"

namespace quillet::ui {
namespace {

// Its own style, not IsWindowVisible: the frame may still be hidden.
bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The panes and ticks as the toggles and the settings say.
void ShowToggles(TClientApp* app, const TWindowToggles& toggles) {
  TMainFrame* frame = &app->frame;
  ShowWindow(frame->toolBar, toggles.toolbar ? SW_SHOW : SW_HIDE);
  ShowWindow(frame->statusBar, toggles.statusBar ? SW_SHOW : SW_HIDE);
  LayoutFrame(frame);
  RefreshCommandStates(frame);
}

// The ini file is read afresh, so a toggle another window keeps there is not undone.
void Toggle(TClientApp* app, const char* item) {
  const TSetupManager& setup = app->manager->Setup();
  TWindowToggles toggles = LoadWindowToggles(setup);
  TSystemSettings& settings = app->manager->Settings();
  const bool large = settings.LargeButton;
  ToggleItem(item, toggles, settings);
  try {
    if (large != settings.LargeButton) app->manager->SaveSettings();
    else SaveWindowToggles(toggles, setup);
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.what());
  }
  if (large != settings.LargeButton) SetToolBarLarge(&app->setup.toolBar, settings.LargeButton);
  ShowToggles(app, toggles);
}

}  // namespace

void AddSetupCommands(TClientApp* app) {
  CreateToolBar(&app->setup.toolBar, &app->frame, app->manager->Setup().IniPath(),
                app->manager->Settings().LargeButton);
  ShowToggles(app, LoadWindowToggles(app->manager->Setup()));
  TCommandTable& commands = app->frame.commands;
  commands.Add("M_tools_setup", [app] {
    if (ShowSetupDialog(app->frame.hwnd, *app->manager, app->prompts)) AddAccountReceiveCommands(app);
  });
  TMainFrame* frame = &app->frame;
  const TSystemSettings& settings = app->manager->Settings();
  commands.Add("M_tools_toolbar", [app] { Toggle(app, "M_tools_toolbar"); }, {},
               [frame] { return Shown(frame->toolBar); });
  commands.Add("M_tools_statusbar", [app] { Toggle(app, "M_tools_statusbar"); }, {},
               [frame] { return Shown(frame->statusBar); });
  commands.Add("M_tools_largebtn", [app] { Toggle(app, "M_tools_largebtn"); }, {},
               [&settings] { return settings.LargeButton; });
  commands.Add("M_help_about", [app] {
    app->prompts.ShowMessage(std::string(frame_texts::k_applicationTitle) + "\r\n" + frame_texts::k_aboutVersion +
                             platform::ProgramVersionText());
  });
}

}  // namespace quillet::ui
