// The message pane: one message as the viewer window and the preview pane show it: the
// envelope fields, the display text in a rich edit (URLs clickable), the attachment list
// with open, save and, for an HTML message, "open in browser". An unread message shown
// long enough is marked read (TAutoRead on a window timer).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/win32/ui/file_dialog.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/viewer/auto_read.h"
#include "quillet/viewer/msg_attach_list.h"
#include "quillet/viewer/shell_open.h"
#include "quillet/viewer/viewed_message.h"

namespace quillet::ui {

// How a save dialog is shown: SaveFileDialog, or a test's answer.
using TSaveDialog = std::function<bool(platform::win32::ui::FileDialogRequest*)>;
// How a popup menu is tracked at a screen point: the chosen item's id, 0 for none.
// TrackPopupMenu, or a test's answer.
using TTrackMenu = std::function<int(HMENU menu, HWND owner, POINT at)>;

// What every message pane shares for the whole run.
struct TViewerServices {
  TViewerServices(TSystemManager& manager, TUserPrompts& prompts);

  TSystemManager& manager;
  TUserPrompts& prompts;
  TMsgAttachList attachList;  // the attachments' temporary files
  std::string tempFolder;
  std::unique_ptr<TShellOpen> shell;  // the shell's "open"; tests record it
  TSaveDialog saveDialog;
  TTrackMenu trackMenu;
  // A shown message was marked read (the list's row follows).
  std::function<void(TBoxObject& box, std::int32_t id)> markedRead;
};

struct TMessagePane {
  explicit TMessagePane(TViewerServices& services) : services(services), autoRead(services.manager.Settings()) {}
  TMessagePane(const TMessagePane&) = delete;
  TMessagePane& operator=(const TMessagePane&) = delete;

  HWND hwnd = nullptr;
  std::array<HWND, 4> labels{};
  std::array<HWND, 4> fields{};  // sender, receiver, date, subject
  HWND body = nullptr;
  HWND attachments = nullptr;
  HWND openButton = nullptr;
  HWND saveButton = nullptr;
  HWND browserButton = nullptr;
  TViewerServices& services;
  TAutoRead autoRead;
  std::unique_ptr<TViewedMessage> message;  // none while the pane is empty
  TBoxObject* box = nullptr;
  std::int32_t id = -1;
  bool html = false;  // the message has an HTML page to open in the browser
  // A right click (or the menu key) in the envelope or the body at a screen point; when
  // unset those controls keep their own menus.
  std::function<void(POINT at)> contextMenu;
};

// A filter text as the file dialogs take it ("description|pattern|...") as pairs.
platform::win32::ui::FileFilters DialogFilters(const std::string& text);
// A child of the parent, empty.
HWND CreateMessagePane(TMessagePane* pane, HWND parent);
// Shows the live message of the mailbox; an error (no such message, an encrypted
// mailbox, a decoding error) is told and leaves the pane empty; false then.
bool ShowPaneMessage(TMessagePane* pane, TBoxObject& box, std::int32_t id);
void ClearMessagePane(TMessagePane* pane);
bool PaneShows(const TMessagePane* pane, const TBoxObject* box, std::int32_t id);
void SetPaneWordWrap(TMessagePane* pane, bool wrap);
// The attachment list's actions on a row (the save dialog proposes the attachment's
// name); failures are told.
void OpenAttachment(TMessagePane* pane, int index);
void SaveAttachment(TMessagePane* pane, int index);
// Builds the HTML page with its pictures and opens it with the shell.
void OpenHtmlPage(TMessagePane* pane);

}  // namespace quillet::ui
