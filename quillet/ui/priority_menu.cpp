#include "quillet/ui/priority_menu.h"

#include <optional>

#include "platform/win32/wide.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/message_menu.h"
#include "quillet/ui/mail_command_parts.h"
#include "quillet/ui/viewer_resources.h"
#include "quillet/viewer/viewer_texts.h"

namespace quillet::ui {
namespace {

struct TPriorityItem {
  const char* item;
  int id;
  const char* caption;
};

constexpr TPriorityItem k_items[] = {
    {"POP_High", QUILLET_IDM_PRIORITY_HIGH, viewer_texts::k_priorityHigh},
    {"POP_normal", QUILLET_IDM_PRIORITY_NORMAL, viewer_texts::k_priorityNormal},
    {"POP_low", QUILLET_IDM_PRIORITY_LOW, viewer_texts::k_priorityLow},
};

// The menu tracked with the current priority's item checked; the priority chosen.
std::optional<std::uint8_t> TrackMenu(const TTrackMenu& track, HWND owner, POINT at, std::uint8_t current) {
  HMENU menu = CreatePopupMenu();
  const std::string checked = PriorityItemOf(current);
  for (const TPriorityItem& entry : k_items)
    AppendMenuW(menu, MF_STRING | (checked == entry.item ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(entry.id),
                platform::win32::WideFromGbk(entry.caption).c_str());
  const int chosen = track(menu, owner, at);
  DestroyMenu(menu);
  for (const TPriorityItem& entry : k_items)
    if (entry.id == chosen) return PriorityOfItem(entry.item);
  return std::nullopt;
}

}  // namespace

void ShowPriorityMenu(TClientApp* app, TViewerWindow* viewer, POINT at) {
  TBoxObject* box = viewer->pane.box;
  const std::int32_t id = viewer->pane.id;
  TMailHead head;
  bool live = false;
  try {
    live = box->Box().ReadHead(id, head);
  } catch (const Exception& error) {
    app->prompts.ShowMessage(error.Message());
  }
  box->ReleaseBox();
  if (!live) return;
  const auto priority = TrackMenu(app->viewer->services.trackMenu, viewer->hwnd, at, head.Priority);
  if (!priority) return;
  const TMarkChange change{TMarkField::Priority, *priority};
  RunAndShow(app, [app, box, id, change] { app->manager->MarkMessages(*box, {id}, change); });
}

}  // namespace quillet::ui
