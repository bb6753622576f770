#include "quillet/viewer/viewer_follow.h"

#include <algorithm>

#include "quillet/common/exceptions.h"

bool ShownMessageLive(const TMailboxSet& set, TBoxObject* box, std::int32_t id) {
  const auto& entries = set.Entries();
  if (std::none_of(entries.begin(), entries.end(), [box](const auto& entry) { return entry.get() == box; }))
    return false;
  TMailHead head;
  try {
    return box->Box().ReadHead(id, head);
  } catch (const Exception&) {
    return true;
  }
}

TFollowStep StepAfterRemoval(const std::vector<std::int32_t>& listed, std::int32_t shown,
                             const std::function<bool(std::int32_t)>& live) {
  if (live(shown)) return {TFollowAction::Keep, shown};
  const auto at = std::find(listed.begin(), listed.end(), shown);
  if (at != listed.end())
    for (auto next = at + 1; next != listed.end(); ++next)
      if (live(*next)) return {TFollowAction::Show, *next};
  return {TFollowAction::Close, -1};
}
