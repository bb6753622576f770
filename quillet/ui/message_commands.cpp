// The message menu's marking, label, transfer and delete over the active viewer's message
// or else the list's selection, the sort menu, and the drop of dragged messages onto a
// mailbox of the tree.
#include <string>

#include "platform/win32/wide.h"
#include "quillet/frame/message_menu.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/mail_command_parts.h"
#include "quillet/ui/viewer_follow.h"

namespace quillet::ui {

namespace {

using TEntries = std::vector<TCommandTable::TPopupEntry>;

constexpr const char* k_markItems[] = {"M_msg_markunread", "M_msg_markread", "M_msg_markreplied",
                                       "M_msg_markunreplied"};
constexpr const char* k_sortItems[] = {"M_sort_none", "M_sort_priority", "M_sort_address", "M_sort_subject",
                                       "M_sort_date", "M_sort_size",     "M_sort_read"};

// What the marking, label, transfer and delete items act on: the active viewer's message,
// else the list's selection.
struct TTargets {
  TBoxObject* box = nullptr;
  std::vector<std::int32_t> ids;
};

TTargets Targets(TClientApp* app) {
  if (const auto shown = ActiveViewerMessage(app)) return {shown->box, {shown->id}};
  if (!HasCurrent(app)) return {};
  return {Tree(app).current, SelectedIds(Tree(app))};
}

bool HasTargets(TClientApp* app) { return ActiveViewerMessage(app).has_value() || HasSelection(app); }

void Mark(TClientApp* app, const TMarkChange& change) {
  RunAndShow(app, [app, change] {
    const TTargets targets = Targets(app);
    if (targets.box != nullptr) app->manager->MarkMessages(*targets.box, targets.ids, change);
  });
}

// A move or delete run from a viewer is followed by it (viewer_follow.h).
void Remove(TClientApp* app, const std::function<void(TBoxObject& box, const std::vector<std::int32_t>& ids)>& work) {
  if (ActiveViewerMessage(app)) {
    RemoveViewerMessage(app, [&work](TBoxObject& box, std::int32_t id) { work(box, {id}); });
    return;
  }
  RunAndShow(app, [app, &work] { work(*Tree(app).current, SelectedIds(Tree(app))); });
}

void Move(TClientApp* app, TBoxObject& target) {
  Remove(app, [app, &target](TBoxObject& box, const std::vector<std::int32_t>& ids) {
    app->manager->MoveMessages(box, ids, target);
  });
}

TEntries TransferEntries(TClientApp* app) {
  TEntries entries;
  const TTargets targets = Targets(app);
  if (targets.box == nullptr) return entries;
  for (TBoxObject* box : TransferTargets(app->manager->Boxes(), *targets.box))
    entries.push_back({box->Name(), [app, box] { Move(app, *box); }});
  return entries;
}

TEntries LabelEntries(TClientApp* app) {
  const auto captions = LabelMenuCaptions(app->manager->Settings());
  const TTargets targets = Targets(app);
  const TMessageList& listed = *Tree(app).messages;
  const int row = targets.box == Tree(app).current && !targets.ids.empty() ? listed.RowOf(targets.ids[0]) : -1;
  const int shown = row < 0 ? -1 : listed.Head(row).Label;
  TEntries entries;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const int label = static_cast<int>(i);
    entries.push_back({captions[i], [app, label] { Mark(app, LabelChange(label)); }, label == shown});
  }
  return entries;
}

// The toolbar's way into a submenu: the entries as a menu at the mouse.
void TrackEntries(TClientApp* app, const TEntries& entries) {
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < entries.size(); ++i)
    AppendMenuW(menu, MF_STRING, i + 1, platform::win32::WideFromGbk(entries[i].caption).c_str());
  POINT at;
  GetCursorPos(&at);
  const auto chosen = static_cast<std::size_t>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, app->frame.hwnd, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= entries.size()) entries[chosen - 1].action();
}

void AddSubmenu(TClientApp* app, const std::string& item, TEntries (*entries)(TClientApp*)) {
  app->frame.commands.Add(item, [app, entries] { TrackEntries(app, entries(app)); }, [app] { return HasTargets(app); });
  app->frame.commands.SetPopup(item, [app, entries] { return entries(app); });
}

void Sort(TClientApp* app, THeadColumn column, bool ascending) {
  const std::vector<std::int32_t> selected = SelectedIds(Tree(app));
  Tree(app).messages->SetSort(column, ascending);
  InvalidateRect(Tree(app).list, nullptr, TRUE);
  SelectIds(&Tree(app), selected);
}

void AddSortCommands(TClientApp* app) {
  TCommandTable& commands = app->frame.commands;
  const auto current = [app] { return HasCurrent(app); };
  for (const char* item : k_sortItems) {
    const THeadColumn column = *SortColumnOfItem(item);
    commands.Add(
        item, [app, column] { Sort(app, column, Tree(app).messages->SortAscending()); }, current,
        [app, column] { return HasCurrent(app) && Tree(app).messages->SortColumn() == column; });
  }
  commands.Add(
      "M_sort_ascender",
      [app] { Sort(app, Tree(app).messages->SortColumn(), !Tree(app).messages->SortAscending()); }, current,
      [app] { return HasCurrent(app) && Tree(app).messages->SortAscending(); });
}

}  // namespace

void AddMessageCommands(TClientApp* app) {
  TCommandTable& commands = app->frame.commands;
  const auto targeted = [app] { return HasTargets(app); };
  for (const char* item : k_markItems) {
    const TMarkChange change = *MarkChangeOfItem(item);
    commands.Add(item, [app, change] { Mark(app, change); }, targeted);
  }
  commands.Add(
      "M_msg_delete",
      [app] {
        Remove(app, [app](TBoxObject& box, const std::vector<std::int32_t>& ids) {
          app->manager->DeleteMessages(box, ids);
        });
      },
      targeted);
  AddSubmenu(app, "M_msg_transfer", TransferEntries);
  AddSubmenu(app, "M_msg_label", LabelEntries);
  AddSortCommands(app);
  // A drag starts in the list, so it moves the list's selection.
  Tree(app).dropOnBox = [app](TBoxObject& target) {
    if (!HasSelection(app) || &target == Tree(app).current) return;
    RunAndShow(app, [app, &target] { app->manager->MoveMessages(*Tree(app).current, SelectedIds(Tree(app)), target); });
  };
}

}  // namespace quillet::ui
