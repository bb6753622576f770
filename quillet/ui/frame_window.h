// TF_main: the mail client's frame, a multiple-document frame with the command table as
// its menu and a status bar; it is where a second copy hands over its command line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quillet/frame/mailto_request.h"
#include "quillet/ui/command_table.h"
#include "quillet/store/system/system_events.h"

namespace quillet::ui {

// The status bar's panels: the message list's counts, then the status texts.
inline constexpr int k_statusListPanel = 0;
inline constexpr int k_statusTextPanel = 1;

struct TMainFrame {
  HWND hwnd = nullptr;
  HWND mdiClient = nullptr;
  HWND statusBar = nullptr;
  HWND toolBar = nullptr;  // above the MDI client (tool_bar.h); none until it is made
  // What the menu's, the toolbar's and the accelerators' commands do; the frame adds
  // "M_file_exit", the window modules the rest.
  TCommandTable commands;
  // The actions of the entries of the submenus made when the menu last opened (by entry
  // id - k_firstPopupEntryId; main_menu.h).
  std::vector<TCommandTable::TAction> popupActions;
  // A "mailto:" link from the command line or a second copy, kept until a compose
  // window can take it.
  std::optional<TMailtoRequest> pendingMailto;
  // 1897 (false) and 1898 (true): the mailboxes' counts, or a mailbox's cipher, changed.
  std::function<void(bool cipher)> mailboxesChanged;
  // The last word parameter of the second-instance message (k_handOffMinus, k_handOffPlus).
  std::uint32_t handOffFlags = 0;
};

// The frame created and shown; null (with the system's last error) when it cannot be.
HWND CreateMainFrame(TMainFrame* frame, int show);
// Runs a command by item name, as the menu would; false when it is greyed.
bool RunCommand(TMainFrame* frame, const std::string& item);
// Runs the entry of a made submenu by its command number (main_menu.h); false when no
// entry has that number.
bool RunPopupEntry(TMainFrame* frame, int id);
// Places the toolbar, the MDI client and the status bar again (after one was shown or
// hidden, or changed its height).
void LayoutFrame(TMainFrame* frame);
// Greys the menu's items and the toolbar's buttons again after a command's condition
// changed.
void RefreshCommandStates(TMainFrame* frame);
// A panel's text (GBK).
void SetStatusText(TMainFrame* frame, int panel, const std::string& text);
std::string StatusText(const TMainFrame* frame, int panel);
// Keeps a "mailto:" argument for the compose window and shows its address; other
// arguments are passed over.
void TakeMailtoArgument(TMainFrame* frame, const std::string& argument);

// The store's and the manager's notices, shown in the frame.
class TFrameEvents : public TSystemEvents {
 public:
  explicit TFrameEvents(TMainFrame* frame) : frame_(frame) {}
  void MailboxCountersChanged(TIdxFile&) override;
  void MailboxCipherChanged(TBoxObject&) override;
  void StatusText(const std::string& text) override { SetStatusText(frame_, k_statusTextPanel, text); }
  void BusyCursor(bool busy) override;
  void MessagesChanged(TBoxObject&, const std::vector<std::int32_t>&) override {}

 private:
  TMainFrame* frame_;
};

}  // namespace quillet::ui
