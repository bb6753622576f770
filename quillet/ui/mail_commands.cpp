#include "quillet/ui/mail_commands.h"

#include <commctrl.h>

#include "quillet/common/exceptions.h"
#include "quillet/ui/box_property_dialog.h"
#include "quillet/ui/find_dialog.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/mail_command_parts.h"
#include "quillet/ui/text_prompt_dialog.h"
#include "quillet/ui/viewer_follow.h"

namespace quillet::ui {

namespace kit = platform::win32::ui;

TTreeWindow& Tree(TClientApp* app) { return *app->treeWindow; }

bool HasCurrent(TClientApp* app) { return app->treeWindow != nullptr && app->treeWindow->current != nullptr; }

bool HasSelection(TClientApp* app) {
  return HasCurrent(app) && SendMessageW(app->treeWindow->list, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

void RunAndShow(TClientApp* app, const std::function<void()>& work) {
  try {
    work();
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
  for (const auto& entry : app->manager->Boxes().Entries()) entry->ReleaseBox();
  ShowChanges(&Tree(app));
  CloseStaleViewers(app);
}

void AddMailCommands(TClientApp* app) {
  TMailDialogs& dialogs = app->mailCommands.dialogs;
  dialogs.askText = AskText;
  dialogs.openFile = kit::OpenFileDialog;
  dialogs.saveFile = kit::SaveFileDialog;
  dialogs.askFind = AskFind;
  dialogs.showProperties = [](TClientApp* client, TBoxObject& box) {
    ShowBoxProperties(client->frame.hwnd, *client->manager, box, client->prompts);
  };
  AddMessageCommands(app);
  AddBoxCommands(app);
  AddFileCommands(app);
}

}  // namespace quillet::ui
