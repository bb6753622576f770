// The mail client's start: the check for a running copy (which then gets the command
// line), the ini file and mail-root check, the system manager over the ini file, and the
// main window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "quillet/store/system/system_manager.h"
#include "quillet/ui/frame_window.h"
#include "quillet/ui/mail_commands.h"
#include "quillet/ui/message_box_prompts.h"
#include "quillet/ui/setup_commands.h"
#include "quillet/ui/transfer_commands.h"
#include "quillet/ui/tree_window.h"
#include "quillet/ui/viewer_commands.h"

namespace quillet::ui {

struct TClientApp {
  explicit TClientApp(TShowBox showBox = platform::win32::ui::ShowMessageBox);
  ~TClientApp();
  TClientApp(const TClientApp&) = delete;
  TClientApp& operator=(const TClientApp&) = delete;

  TMessageBoxPrompts prompts;
  TMainFrame frame;
  TFrameEvents events{&frame};
  std::unique_ptr<TAddressService> addressService;  // outlives the manager that uses it
  std::unique_ptr<TSystemManager> manager;
  std::unique_ptr<TTreeWindow> treeWindow;
  HWND instanceWindow = nullptr;  // hidden; how a second copy finds this one
  std::unique_ptr<TTransferState> transfer;  // receiving and sending
  TMailCommands mailCommands;
  std::unique_ptr<TViewerModule> viewer;  // the message windows and the preview pane
  TSetupWindows setup;
};

// When another copy runs: brings it to the front, hands it the arguments (GBK, without
// the program name) and returns true.
bool HandOffToRunningCopy(const std::vector<std::string>& args);

// The start after the running-copy check: 0 when the main window is up, else the exit
// code (k_exitStartupCheck; the reason was shown). executablePath names the ini file.
int ClientStart(TClientApp* app, const std::vector<std::string>& args, const std::string& executablePath, int show);

}  // namespace quillet::ui
