// The mailbox menu: new, rename, delete, compact one or all, empty the trash, properties,
// encrypt and decipher. The standard mailboxes cannot be renamed or deleted: those items
// are greyed for them.
#include <string>

#include "quillet/frame/box_menu.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/store/system/system_texts.h"
#include "quillet/ui/mail_command_parts.h"
#include "quillet/ui/viewer_commands.h"

namespace quillet::ui {

namespace {

TBoxObject& Current(TClientApp* app) { return *Tree(app).current; }

bool CanChangeCurrent(TClientApp* app) { return HasCurrent(app) && CanRenameOrDelete(Current(app)); }

void NewBox(TClientApp* app) {
  std::string name;
  if (!app->mailCommands.dialogs.askText(app->frame.hwnd, frame_texts::k_askNewBoxName, name)) return;
  RunAndShow(app, [app, &name] { app->manager->CreateBox(name); });
}

void RenameBox(TClientApp* app) {
  TBoxObject& box = Current(app);
  std::string name = box.Name();
  if (!app->mailCommands.dialogs.askText(app->frame.hwnd, RenameQuestion(box), name)) return;
  RunAndShow(app, [app, &box, &name] { app->manager->RenameBox(box, name); });
}

void DeleteBox(TClientApp* app) {
  RunAndShow(app, [app] {
    if (app->manager->DeleteBox(Current(app))) Tree(app).current = nullptr;  // the entry is gone
  });
}

// Enciphering or deciphering with a password asked for; refused while a message window
// shows a message of the mailbox.
void Cipher(TClientApp* app, bool encrypt) {
  TBoxObject& box = Current(app);
  std::vector<std::string> openWindowBoxes;
  if (ViewerOpenFor(app, &box)) openWindowBoxes.push_back(box.BasePath());
  const std::string refusal = CipherRefusal(box, openWindowBoxes);
  if (!refusal.empty()) {
    app->prompts.ShowMessage(refusal);
    return;
  }
  std::string password;
  if (!app->prompts.AskPassword(encrypt ? k_textAskEncryptPassword : k_textAskDecryptPassword, password)) return;
  RunAndShow(app, [app, &box, &password, encrypt] {
    const TBusyCursor busy(app->events);
    if (encrypt) app->manager->EncryptBox(box, password);
    else app->manager->DecryptBox(box, password);
  });
}

}  // namespace

void AddBoxCommands(TClientApp* app) {
  TCommandTable& commands = app->frame.commands;
  const auto current = [app] { return HasCurrent(app); };
  const auto changeable = [app] { return CanChangeCurrent(app); };
  commands.Add("M_box_new", [app] { NewBox(app); });
  commands.Add("M_box_rename", [app] { RenameBox(app); }, changeable);
  commands.Add("M_box_delete", [app] { DeleteBox(app); }, changeable);
  commands.Add(
      "M_box_compressone", [app] { RunAndShow(app, [app] { app->manager->PackBox(Current(app), false); }); }, current);
  commands.Add("M_box_compress", [app] { RunAndShow(app, [app] { app->manager->PackAll(false); }); });
  commands.Add("M_box_emptytrash", [app] { RunAndShow(app, [app] { app->manager->EmptyTrash(); }); });
  commands.Add(
      "M_box_property",
      [app] { RunAndShow(app, [app] { app->mailCommands.dialogs.showProperties(app, Current(app)); }); }, current);
  commands.Add("M_box_encrypt", [app] { Cipher(app, true); }, current);
  commands.Add("M_box_decrypt", [app] { Cipher(app, false); }, current);
}

}  // namespace quillet::ui
