// An open message window's message after the mailboxes changed, and the step after its
// own delete or move.
#include "quillet/viewer/viewer_follow.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/store/system/system_test_support.h"

namespace {

using Ids = std::vector<std::int32_t>;

class ViewerFollow : public system_test::SystemTest {};

// Each change acts on a message shown from a mailbox of its own kind (a new user mailbox,
// or the trash mailbox); compaction keeps ids, so the window keeps its message.
TEST_F(ViewerFollow, ShownMessageIsLiveUntilItLeavesItsMailbox) {
  store_test::RecordingPrompts yes(true);
  TSystemManager manager(IniPath(), TSystemContext{"", yes, events});
  TBoxObject& trash = manager.Boxes().Standard(TBoxKind::Trashbox);
  TBoxObject& inbox = manager.Boxes().Standard(TBoxKind::Inbox);
  using TChange = std::function<void(TBoxObject& box, std::int32_t shown, std::int32_t other)>;
  struct TCase {
    const char* what;
    bool inTrash;
    TChange change;
    bool live;
  };
  const TCase cases[] = {
      {"marked read", false, [&](TBoxObject& b, std::int32_t s, std::int32_t) {
         manager.MarkMessages(b, {s}, {TMarkField::Unread, 0}); }, true},
      {"another moved, then compacted", false, [&](TBoxObject& b, std::int32_t, std::int32_t o) {
         manager.MoveMessages(b, {o}, inbox);
         ASSERT_EQ(manager.PackBox(b, false), TPackResult::Packed); }, true},
      {"moved", false, [&](TBoxObject& b, std::int32_t s, std::int32_t) { manager.MoveMessages(b, {s}, inbox); }, false},
      {"deleted to the trash", false, [&](TBoxObject& b, std::int32_t s, std::int32_t) {
         manager.DeleteMessages(b, {s}); }, false},
      {"deleted for good", true, [&](TBoxObject& b, std::int32_t s, std::int32_t) {
         manager.DeleteMessages(b, {s}); }, false},
      {"trash emptied", true, [&](TBoxObject&, std::int32_t, std::int32_t) { manager.EmptyTrash(); }, false},
      {"mailbox deleted", false, [&](TBoxObject& b, std::int32_t, std::int32_t) {
         ASSERT_TRUE(manager.DeleteBox(b)); }, false},
      {"index unreadable", false, [&](TBoxObject& b, std::int32_t, std::int32_t) {
         b.ReleaseBox();
         store_test::WriteFileBytes(b.BasePath() + ".IND", "junk"); }, true},
  };
  int n = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TBoxObject& box = c.inTrash ? trash : manager.CreateBox("box" + std::to_string(++n));
    const std::int32_t shown = store_test::AddText(box.Box(), store_test::MessageText("shown"));
    const std::int32_t other = store_test::AddText(box.Box(), store_test::MessageText("other"));
    EXPECT_TRUE(ShownMessageLive(manager.Boxes(), &box, shown));
    c.change(box, shown, other);
    EXPECT_EQ(ShownMessageLive(manager.Boxes(), &box, shown), c.live);
  }
}

// The list's order decides the next message; one that is gone too is passed over, and
// the last message (or one not listed) closes the window.
TEST(ViewerFollowStep, NextLiveMessageOfTheListOrClose) {
  const Ids listed = {7, 3, 9, 4};
  struct TCase {
    std::int32_t shown;
    std::set<std::int32_t> live;
    TFollowAction action;
    std::int32_t id;
  };
  const TCase cases[] = {
      {3, {7, 9, 4}, TFollowAction::Show, 9},  {3, {7, 4}, TFollowAction::Show, 4},
      {7, {3, 9, 4}, TFollowAction::Show, 3},  {4, {7, 3, 9}, TFollowAction::Close, -1},
      {9, {7, 3}, TFollowAction::Close, -1},   {5, {7, 3, 9, 4}, TFollowAction::Close, -1},
      {9, {7, 3, 9, 4}, TFollowAction::Keep, 9},
  };
  for (const TCase& c : cases) {
    const TFollowStep step = StepAfterRemoval(listed, c.shown, [&](std::int32_t id) { return c.live.count(id) > 0; });
    EXPECT_EQ(step.action, c.action) << c.shown;
    EXPECT_EQ(step.id, c.id) << c.shown;
  }
}

}  // namespace
