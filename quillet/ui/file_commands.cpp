// Import of a message file into the current mailbox, export of the selected messages, and
// find and find again over the current list.
#include <string>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/text_format.h"
#include "quillet/frame/export_file_name.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/mail_command_parts.h"

namespace quillet::ui {

namespace {

namespace kit = platform::win32::ui;

kit::FileDialogRequest MessageFileRequest(TClientApp* app) {
  kit::FileDialogRequest request;
  request.owner = app->frame.hwnd;
  request.filters = FilterEntries(frame_texts::k_messageFileFilter);
  return request;
}

void Import(TClientApp* app) {
  kit::FileDialogRequest request = MessageFileRequest(app);
  if (!app->mailCommands.dialogs.openFile(&request)) return;
  RunAndShow(app, [app, &request] { app->manager->ImportMessage(*Tree(app).current, request.path); });
}

void Export(TClientApp* app) {
  kit::FileDialogRequest request = MessageFileRequest(app);
  if (!app->mailCommands.dialogs.saveFile(&request)) return;
  const std::string fileName = ExportFileName(request.path, request.filterIndex);
  if (fileName != request.path && platform::FileExists(fileName) &&
      !app->prompts.AskYesNo(FormatText(frame_texts::k_askReplaceFile, {fileName})))
    return;
  RunAndShow(app, [app, &fileName] {
    app->manager->ExportMessages(*Tree(app).current, SelectedIds(Tree(app)), fileName);
  });
}

// The next match below `from`: selected and shown (the viewer follows the selection); a
// beep when none is left.
void FindFrom(TClientApp* app, int from) {
  TTreeWindow& window = Tree(app);
  int row = -1;
  try {
    row = app->mailCommands.finder.FindNext(window.current->Box(), window.messages->Rows(), from);
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
  window.current->ReleaseBox();
  if (row < 0) {
    MessageBeep(MB_OK);
    return;
  }
  SelectIds(&window, {window.messages->Head(row).Id});
  RefreshCommandStates(&app->frame);
}

void Find(TClientApp* app) {
  TMessageFinder& finder = app->mailCommands.finder;
  TFindOptions options = finder.Query().value_or(TFindOptions());
  if (!app->mailCommands.dialogs.askFind(app->frame.hwnd, options)) return;
  finder.SetQuery(options);
  FindFrom(app, -1);
}

}  // namespace

void AddFileCommands(TClientApp* app) {
  TCommandTable& commands = app->frame.commands;
  commands.Add("M_file_impmsg", [app] { Import(app); }, [app] { return HasCurrent(app); });
  commands.Add("M_file_expmsg", [app] { Export(app); }, [app] { return HasSelection(app); });
  commands.Add("M_edit_find", [app] { Find(app); }, [app] { return HasCurrent(app); });
  commands.Add(
      "M_edit_findagain", [app] { FindFrom(app, FocusedRow(Tree(app))); },
      [app] { return HasCurrent(app) && app->mailCommands.finder.Query().has_value(); });
}

}  // namespace quillet::ui
