// The reading commands of the main window: the message viewer (M_file_open, a double
// click or Enter on a list row), M_file_saveas, the edit items on the focused text
// control, previous / next (TBtn_previous, TBtn_next), the preview pane in TF_tree with
// its split (M_tools_title, M_view_H, M_view_V, M_edit_wordwrap) and the raw message
// window (M_msg_rawhead).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "quillet/ui/message_pane.h"
#include "quillet/ui/raw_window.h"
#include "quillet/ui/viewer_window.h"

namespace quillet::ui {

struct TClientApp;

struct TViewerModule {
  TViewerModule(TSystemManager& manager, TUserPrompts& prompts) : services(manager, prompts), preview(services) {}
  // Deletes the attachments' temporary files that are not in use any more.
  ~TViewerModule();
  TViewerModule(const TViewerModule&) = delete;
  TViewerModule& operator=(const TViewerModule&) = delete;

  TViewerServices services;
  TMessagePane preview;  // in TF_tree
  std::vector<std::unique_ptr<TViewerWindow>> viewers;
  std::vector<std::unique_ptr<TRawWindow>> rawWindows;
};

// A message of a mailbox.
struct TMessageRef {
  TBoxObject* box = nullptr;
  std::int32_t id = -1;
};

// Makes the module (app->viewer), the preview pane in the tree window, and adds the
// commands; open viewers follow the mailboxes' changes from then on.
void AddViewerCommands(TClientApp* app);
// The viewer window that is the active MDI child; null when another window is.
TViewerWindow* ActiveViewer(TClientApp* app);
// The message of the active viewer; none when no viewer showing one is active.
std::optional<TMessageRef> ActiveViewerMessage(TClientApp* app);
// Whether a viewer window shows a message of the mailbox (enciphering it waits for them
// to close).
bool ViewerOpenFor(const TClientApp* app, const TBoxObject* box);

}  // namespace quillet::ui
