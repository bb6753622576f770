#include "quillet/ui/viewer_follow.h"

#include <vector>

#include "quillet/common/exceptions.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/mail_command_parts.h"
#include "quillet/viewer/viewer_follow.h"

namespace quillet::ui {
namespace {

std::vector<std::int32_t> IdsOf(const TMessageList& list) {
  std::vector<std::int32_t> ids;
  for (const TMailHead* head : list.Rows()) ids.push_back(head->Id);
  return ids;
}

// The mailbox's messages in the list's order: the list's own when it shows the mailbox,
// else read in the list's sort; none when the index cannot be read.
std::vector<std::int32_t> ListedIds(TClientApp* app, TBoxObject& box) {
  const TTreeWindow& tree = Tree(app);
  if (tree.current == &box) return IdsOf(*tree.messages);
  TMessageList list(app->manager->Settings());
  list.SetSort(tree.messages->SortColumn(), tree.messages->SortAscending());
  try {
    list.Load(box.Box());
  } catch (const Exception&) {
  }
  box.ReleaseBox();
  return IdsOf(list);
}

}  // namespace

void CloseViewer(TClientApp* app, TViewerWindow* viewer) {
  SendMessageW(app->frame.mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(viewer->hwnd), 0);
}

void CloseStaleViewers(TClientApp* app) {
  if (app->viewer == nullptr) return;
  std::vector<TViewerWindow*> stale;
  for (const auto& viewer : app->viewer->viewers)
    if (viewer->pane.message != nullptr &&
        !ShownMessageLive(app->manager->Boxes(), viewer->pane.box, viewer->pane.id))
      stale.push_back(viewer.get());
  for (const auto& entry : app->manager->Boxes().Entries()) entry->ReleaseBox();
  for (TViewerWindow* viewer : stale) CloseViewer(app, viewer);
}

void FollowMailboxChanges(TClientApp* app) {
  app->frame.mailboxesChanged = [app, before = std::move(app->frame.mailboxesChanged)](bool cipher) {
    if (before) before(cipher);
    CloseStaleViewers(app);
  };
}

void RemoveViewerMessage(TClientApp* app, const std::function<void(TBoxObject& box, std::int32_t id)>& work) {
  TViewerWindow* viewer = ActiveViewer(app);
  if (viewer == nullptr || viewer->pane.message == nullptr) return;
  TBoxObject& box = *viewer->pane.box;
  const std::int32_t shown = viewer->pane.id;
  const std::vector<std::int32_t> listed = ListedIds(app, box);
  TFollowStep step;
  RunAndShow(app, [&] {
    work(box, shown);
    const auto live = [&](std::int32_t id) { return ShownMessageLive(app->manager->Boxes(), &box, id); };
    step = StepAfterRemoval(listed, shown, live);
    box.ReleaseBox();
    if (step.action == TFollowAction::Show && !ShowViewerMessage(viewer, box, step.id))
      step.action = TFollowAction::Close;
    if (step.action == TFollowAction::Close) CloseViewer(app, viewer);
  });
  if (step.action == TFollowAction::Show && Tree(app).current == &box) SelectIds(&Tree(app), {step.id});
}

}  // namespace quillet::ui
