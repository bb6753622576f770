// The message menu's submenus and the viewer's priority menu as data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/frame/message_menu.h"
#include "tests/store/system/system_test_support.h"

namespace {

TEST(MessageMenu, MarkSortAndPriorityItems) {
  const std::vector<std::tuple<std::string, TMarkField, int>> marks = {
      {"M_msg_markunread", TMarkField::Unread, 1}, {"M_msg_markread", TMarkField::Unread, 0},
      {"M_msg_markreplied", TMarkField::Replied, 1}, {"M_msg_markunreplied", TMarkField::Replied, 0}};
  for (const auto& [item, field, value] : marks) {
    const auto change = MarkChangeOfItem(item);
    ASSERT_TRUE(change) << item;
    EXPECT_EQ(change->field, field) << item;
    EXPECT_EQ(change->value, value) << item;
  }
  EXPECT_FALSE(MarkChangeOfItem("M_msg_markas"));

  const std::vector<std::pair<std::string, THeadColumn>> sorts = {
      {"M_sort_none", THeadColumn::None},     {"M_sort_priority", THeadColumn::Priority},
      {"M_sort_address", THeadColumn::Correspondent}, {"M_sort_subject", THeadColumn::Subject},
      {"M_sort_date", THeadColumn::Date},     {"M_sort_size", THeadColumn::Size},
      {"M_sort_read", THeadColumn::Unread}};
  for (const auto& [item, column] : sorts) EXPECT_EQ(SortColumnOfItem(item), column) << item;
  EXPECT_FALSE(SortColumnOfItem("M_sort_ascender"));

  EXPECT_EQ(PriorityOfItem("POP_High"), 1);
  EXPECT_EQ(PriorityOfItem("POP_normal"), 3);
  EXPECT_EQ(PriorityOfItem("POP_low"), 5);
  EXPECT_FALSE(PriorityOfItem("POPMenu"));
  const std::vector<std::string> checked = {"POP_normal", "POP_High", "POP_High", "POP_normal", "POP_low",
                                            "POP_low", "POP_normal"};
  for (std::uint8_t priority = 0; priority <= 6; ++priority)
    EXPECT_EQ(PriorityItemOf(priority), checked[priority]) << int{priority};
}

class MessageMenuBoxes : public system_test::SystemTest {};

TEST_F(MessageMenuBoxes, LabelsAndTransferTargets) {
  auto manager = Open();
  manager->Settings().Labels[1].Name = "重要";
  EXPECT_EQ(LabelMenuCaptions(manager->Settings()),
            (std::vector<std::string>{"<无>", "标签1", "重要", "标签3", "标签4", "标签5", "标签6", "标签7"}));
  EXPECT_EQ(LabelChange(2).field, TMarkField::Label);
  EXPECT_EQ(LabelChange(2).value, 2);

  TBoxObject& work = manager->CreateBox("工作");
  std::vector<std::string> names;
  for (TBoxObject* box : TransferTargets(manager->Boxes(), manager->Boxes().Standard(TBoxKind::Inbox)))
    names.push_back(box->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"发件箱", "已发送邮件", "废件箱", "工作"}));
  EXPECT_EQ(TransferTargets(manager->Boxes(), work).size(), 4u);
}

}  // namespace
