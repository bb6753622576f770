#include "quillet/ui/viewer_commands.h"

#include <richedit.h>

#include <algorithm>
#include <optional>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/pane_split.h"
#include "quillet/frame/window_toggles.h"
#include "quillet/ui/child_control.h"
#include "quillet/ui/client_start.h"
#include "quillet/ui/priority_menu.h"
#include "quillet/ui/viewer_follow.h"

namespace quillet::ui {
namespace {

TTreeWindow* Tree(TClientApp* app) { return app->treeWindow.get(); }

std::optional<TMessageRef> ListSelection(TTreeWindow* tree) {
  const int row = SelectedListRow(tree->list);
  if (row < 0 || row >= tree->messages->Count() || tree->current == nullptr) return std::nullopt;
  return TMessageRef{tree->current, tree->messages->Head(row).Id};
}

// What a command acts on: the active viewer's message, else the list's selection.
std::optional<TMessageRef> CurrentMessage(TClientApp* app) {
  if (const auto shown = ActiveViewerMessage(app)) return shown;
  return ListSelection(Tree(app));
}

template <class TWindow>
void Forget(std::vector<std::unique_ptr<TWindow>>& windows, TWindow* gone) {
  windows.erase(std::remove_if(windows.begin(), windows.end(), [gone](const auto& w) { return w.get() == gone; }),
                windows.end());
}

void OpenViewer(TClientApp* app, const TMessageRef& message) {
  TViewerModule& module = *app->viewer;
  for (const auto& viewer : module.viewers) {
    if (!PaneShows(&viewer->pane, message.box, message.id)) continue;
    SendMessageW(app->frame.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(viewer->hwnd), 0);
    return;
  }
  module.viewers.push_back(std::make_unique<TViewerWindow>(module.services));
  TViewerWindow* viewer = module.viewers.back().get();
  viewer->closed = [&module](TViewerWindow* gone) { Forget(module.viewers, gone); };
  if (CreateViewerWindow(viewer, app->frame.mdiClient) == nullptr) {
    Forget(module.viewers, viewer);
    return;
  }
  if (!ShowViewerMessage(viewer, *message.box, message.id)) {
    CloseViewer(app, viewer);
    return;
  }
  viewer->pane.contextMenu = [app, viewer](POINT at) { ShowPriorityMenu(app, viewer, at); };
}

void OpenRawWindow(TClientApp* app, const TMessageRef& message) {
  auto window = std::make_unique<TRawWindow>();
  try {
    const TViewedMessage viewed(message.box->Box(), message.id, app->prompts);
    window->headerText = viewed.RawHeader();
    window->wholeText = viewed.RawText();
  } catch (const Exception& error) {
    message.box->ReleaseBox();
    app->prompts.ShowMessage(error.Message());
    return;
  }
  message.box->ReleaseBox();
  TViewerModule& module = *app->viewer;
  window->closed = [&module](TRawWindow* gone) { Forget(module.rawWindows, gone); };
  module.rawWindows.push_back(std::move(window));
  if (CreateRawWindow(module.rawWindows.back().get(), app->frame.mdiClient) == nullptr) module.rawWindows.pop_back();
}

void SaveMessageAs(TClientApp* app, const TMessageRef& message) {
  platform::win32::ui::FileDialogRequest request;
  request.owner = app->frame.hwnd;
  request.filters = DialogFilters(frame_texts::k_messageFileFilter);
  request.defaultExtension = "eml";
  if (!app->viewer->services.saveDialog(&request)) return;
  try {
    app->manager->ExportMessages(*message.box, {message.id}, request.path);
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
  message.box->ReleaseBox();
}

// Previous or next: the active viewer shows the neighbour of its message in the list,
// and the list's selection (so the preview) follows; without a viewer only the list.
void Step(TClientApp* app, int step) {
  TTreeWindow* tree = Tree(app);
  TViewerWindow* viewer = ActiveViewer(app);
  int row = SelectedListRow(tree->list);
  if (viewer != nullptr && viewer->pane.message != nullptr && viewer->pane.box == tree->current)
    row = tree->messages->RowOf(viewer->pane.id);
  const auto next = SteppedRow(tree->messages->Count(), row, step);
  if (!next) {
    MessageBeep(MB_OK);
    return;
  }
  SelectListRow(tree->list, *next);
  if (viewer != nullptr && tree->current != nullptr)
    ShowViewerMessage(viewer, *tree->current, tree->messages->Head(*next).Id);
}

void PreviewSelection(TClientApp* app) {
  TMessagePane& preview = app->viewer->preview;
  TTreeWindow* tree = Tree(app);
  if (!tree->split.shown) return;
  const auto selected = ListSelection(tree);
  if (!selected) {
    if (preview.message != nullptr) ClearMessagePane(&preview);
    return;
  }
  if (!PaneShows(&preview, selected->box, selected->id)) ShowPaneMessage(&preview, *selected->box, selected->id);
}

// The list's row of a message marked read, and the list's counts.
void ShowRowRead(TClientApp* app, TBoxObject& box, std::int32_t id) {
  TTreeWindow* tree = Tree(app);
  RefreshTreeCounts(tree);
  if (tree->current != &box) return;
  TMailHead head;
  try {
    if (box.Box().ReadHead(id, head)) tree->messages->Update(head);
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
  box.ReleaseBox();
  InvalidateRect(tree->list, nullptr, TRUE);
  SetStatusText(&app->frame, k_statusListPanel, tree->messages->StatusText());
}

void SaveSettings(TClientApp* app) {
  try {
    app->manager->SaveSettings();
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
}

void TogglePreview(TClientApp* app) {
  const TSetupManager& setup = app->manager->Setup();
  TWindowToggles toggles = LoadWindowToggles(setup);
  ToggleItem("M_tools_title", toggles, app->manager->Settings());
  try {
    SaveWindowToggles(toggles, setup);
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
  TTreeWindow* tree = Tree(app);
  tree->split.shown = toggles.preview;
  if (!toggles.preview) ClearMessagePane(&app->viewer->preview);
  LayoutTreeWindow(tree);
  PreviewSelection(app);
  RefreshCommandStates(&app->frame);  // the menu's check and SB_preview
}

void SetSplit(TClientApp* app, TSplitKind kind) {
  app->manager->Settings().SplitType = static_cast<std::int32_t>(kind);
  SaveSettings(app);
  LayoutTreeWindow(Tree(app));
}

void ToggleWordWrap(TClientApp* app) {
  bool& wrap = app->manager->Settings().Wordwrap;
  wrap = !wrap;
  SaveSettings(app);
  SetPaneWordWrap(&app->viewer->preview, wrap);
  for (const auto& viewer : app->viewer->viewers) SetPaneWordWrap(&viewer->pane, wrap);
}

// The focused edit or rich edit, which the edit items act on.
HWND FocusedTextControl() {
  HWND focus = GetFocus();
  wchar_t name[32] = {};
  if (focus == nullptr || GetClassNameW(focus, name, 32) == 0) return nullptr;
  return _wcsicmp(name, L"Edit") == 0 || _wcsicmp(name, RICHEDIT_CLASSW) == 0 ? focus : nullptr;
}

struct TEditItem {
  const char* item;
  UINT message;
  LPARAM lParam;
};

constexpr TEditItem k_editItems[] = {{"M_edit_undo", EM_UNDO, 0},
                                     {"M_edit_copy", WM_COPY, 0},
                                     {"M_edit_cut", WM_CUT, 0},
                                     {"M_edit_paste", WM_PASTE, 0},
                                     {"M_edit_selectall", EM_SETSEL, -1}};

void AddEditCommands(TCommandTable& commands) {
  for (const TEditItem& edit : k_editItems)
    commands.Add(
        edit.item, [edit] { SendMessageW(FocusedTextControl(), edit.message, 0, edit.lParam); },
        [] { return FocusedTextControl() != nullptr; });
}

void AddMessageCommands(TClientApp* app) {
  TCommandTable& commands = app->frame.commands;
  const auto current = [app] { return CurrentMessage(app).has_value(); };
  commands.Add("M_file_open", [app] { if (auto m = ListSelection(Tree(app))) OpenViewer(app, *m); },
               [app] { return ListSelection(Tree(app)).has_value(); });
  commands.Add("M_file_saveas", [app] { if (auto m = CurrentMessage(app)) SaveMessageAs(app, *m); }, current);
  commands.Add("M_msg_rawhead", [app] { if (auto m = CurrentMessage(app)) OpenRawWindow(app, *m); }, current);
  const auto listed = [app] { return Tree(app)->messages->Count() > 0; };
  commands.Add("TBtn_previous", [app] { Step(app, -1); }, listed);
  commands.Add("TBtn_next", [app] { Step(app, 1); }, listed);
}

void AddLayoutCommands(TClientApp* app) {
  TCommandTable& commands = app->frame.commands;
  const TSystemSettings& settings = app->manager->Settings();
  commands.Add("M_tools_title", [app] { TogglePreview(app); }, {}, [app] { return Tree(app)->split.shown; });
  commands.Add("M_edit_wordwrap", [app] { ToggleWordWrap(app); }, {}, [&settings] { return settings.Wordwrap; });
  const auto splitIs = [&settings](TSplitKind kind) {
    return [&settings, kind] { return settings.SplitType == static_cast<std::int32_t>(kind); };
  };
  commands.Add("M_view_H", [app] { SetSplit(app, TSplitKind::Horizontal); }, {}, splitIs(TSplitKind::Horizontal));
  commands.Add("M_view_V", [app] { SetSplit(app, TSplitKind::Vertical); }, {}, splitIs(TSplitKind::Vertical));
}

void AttachPreview(TClientApp* app) {
  TViewerModule& module = *app->viewer;
  TTreeWindow* tree = Tree(app);
  CreateMessagePane(&module.preview, tree->hwnd);
  tree->split.preview = module.preview.hwnd;
  tree->split.settings = &app->manager->Settings();
  tree->split.moved = [app] { SaveSettings(app); };
  tree->split.shown = LoadWindowToggles(app->manager->Setup()).preview;
  tree->selectionChanged = [app] {
    PreviewSelection(app);
    RefreshCommandStates(&app->frame);
  };
  LayoutTreeWindow(tree);
  PreviewSelection(app);
}

}  // namespace

TViewerModule::~TViewerModule() { services.attachList.DeleteFiles(platform::FileDelete); }

TViewerWindow* ActiveViewer(TClientApp* app) {
  const auto active = reinterpret_cast<HWND>(SendMessageW(app->frame.mdiClient, WM_MDIGETACTIVE, 0, 0));
  for (const auto& viewer : app->viewer->viewers)
    if (viewer->hwnd == active && active != nullptr) return viewer.get();
  return nullptr;
}

std::optional<TMessageRef> ActiveViewerMessage(TClientApp* app) {
  const TViewerWindow* viewer = ActiveViewer(app);
  if (viewer == nullptr || viewer->pane.message == nullptr) return std::nullopt;
  return TMessageRef{viewer->pane.box, viewer->pane.id};
}

bool ViewerOpenFor(const TClientApp* app, const TBoxObject* box) {
  const auto& viewers = app->viewer->viewers;
  return std::any_of(viewers.begin(), viewers.end(), [box](const auto& viewer) { return viewer->pane.box == box; });
}

void AddViewerCommands(TClientApp* app) {
  app->viewer = std::make_unique<TViewerModule>(*app->manager, app->prompts);
  app->viewer->services.markedRead = [app](TBoxObject& box, std::int32_t id) { ShowRowRead(app, box, id); };
  AttachPreview(app);
  FollowMailboxChanges(app);
  AddEditCommands(app->frame.commands);
  AddMessageCommands(app);
  AddLayoutCommands(app);
}

}  // namespace quillet::ui
