// An open message window's message after the mailboxes changed, and the step after its
// own delete or move.
#include "quillet/viewer/viewer_follow.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/store/system/system_test_support.h"

namespace {

class ViewerFollow : public system_test::SystemTest {};

// Each change acts on a new mailbox's first message; compaction keeps ids, and an index
// that cannot be read leaves the error to the window's next command.
TEST_F(ViewerFollow, ShownMessageIsLiveUntilItLeavesItsMailbox) {
  store_test::RecordingPrompts yes(true);
  TSystemManager manager(IniPath(), TSystemContext{"", yes, events});
  TBoxObject& inbox = manager.Boxes().Standard(TBoxKind::Inbox);
  const std::pair<std::function<void(TBoxObject& box, std::int32_t shown, std::int32_t other)>, bool> cases[] = {
      {[&](TBoxObject& box, std::int32_t shown, std::int32_t) { manager.MoveMessages(box, {shown}, inbox); }, false},
      {[&](TBoxObject& box, std::int32_t, std::int32_t other) { manager.MoveMessages(box, {other}, inbox);
         ASSERT_EQ(manager.PackBox(box, false), TPackResult::Packed); }, true},
      {[&](TBoxObject& box, std::int32_t, std::int32_t) { ASSERT_TRUE(manager.DeleteBox(box)); }, false},
      {[&](TBoxObject& box, std::int32_t, std::int32_t) { box.ReleaseBox();
         store_test::WriteFileBytes(box.BasePath() + ".IND", "junk"); }, true},
  };
  int n = 0;
  for (const auto& [change, live] : cases) {
    TBoxObject& box = manager.CreateBox("box" + std::to_string(++n));
    const std::int32_t shown = store_test::AddText(box.Box(), store_test::MessageText("shown"));
    const std::int32_t other = store_test::AddText(box.Box(), store_test::MessageText("other"));
    EXPECT_TRUE(ShownMessageLive(manager.Boxes(), &box, shown));
    change(box, shown, other);
    EXPECT_EQ(ShownMessageLive(manager.Boxes(), &box, shown), live) << n;
  }
}

// The list's order decides the next message; one that is gone too is passed over, and
// the last message (or one not listed) closes the window.
TEST(ViewerFollowStep, NextLiveMessageOfTheListOrClose) {
  const std::vector<std::int32_t> listed = {7, 3, 9, 4};
  const std::tuple<std::int32_t, std::set<std::int32_t>, TFollowAction, std::int32_t> cases[] = {
      {3, {7, 9, 4}, TFollowAction::Show, 9}, {3, {7, 4}, TFollowAction::Show, 4},
      {4, {7, 3, 9}, TFollowAction::Close, -1}, {5, {7, 3, 9, 4}, TFollowAction::Close, -1},
      {9, {7, 3, 9, 4}, TFollowAction::Keep, 9}};
  for (const auto& [shown, live, action, id] : cases) {
    const TFollowStep step = StepAfterRemoval(listed, shown, [&](std::int32_t m) { return live.count(m) > 0; });
    EXPECT_EQ(step.action, action) << shown;
    EXPECT_EQ(step.id, id) << shown;
  }
}

}  // namespace
