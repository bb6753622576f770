// The mailbox tree's rows and the message list's rows, status text, widths and sorting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/common/datetime.h"
#include "quillet/frame/box_tree.h"
#include "quillet/frame/message_list.h"
#include "tests/store/system/system_test_support.h"

namespace {

class MessageListTest : public system_test::SystemTest {
 protected:
  // Adds a message with the head's fields; returns its id.
  std::int32_t Add(TMailBox& box, TMailHead head) {
    TMemoryStream text(store_test::MessageText(head.Subject));
    box.AddMessage(head, text);
    return head.Id;
  }
  static TMailHead Head(const std::string& from, const std::string& subject, int day, std::uint8_t unread) {
    TMailHead head = store_test::Head(from, subject, unread != 0);
    EXPECT_TRUE(TryEncodeDate(2026, 12, day, head.Date));
    return head;
  }
};

TEST_F(MessageListTest, TreeRowsStandardFirstWithUnreadCounts) {
  auto manager = Open();
  TBoxObject& work = manager->CreateBox("工作");
  manager->CreateBox("家");
  Add(work.Box(), Head("a", "s", 1, 1));
  Add(work.Box(), Head("a", "s", 1, 1));
  Add(manager->Boxes().Standard(TBoxKind::Inbox).Box(), Head("a", "s", 1, 0));
  std::vector<std::string> texts;
  for (const TTreeRow& row : MailboxTreeRows(manager->Boxes())) texts.push_back(row.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"收件箱", "发件箱", "已发送邮件", "废件箱", "工作 (2)", "家"}));
}

TEST_F(MessageListTest, RowsLooksAndStatusText) {
  TSystemSettings settings;
  TMailBox box(Base("in"));
  TMailHead queued = Head("李四", "待发", 2, 0);
  queued.State = 2;
  queued.Priority = 1;
  queued.Label = 3;
  queued.Size = 1025;
  queued.HasAttachment = 1;
  Add(box, Head("张三", "你好", 1, 1));
  const std::int32_t queuedId = Add(box, queued);
  TMessageList list(settings);
  list.Load(box);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.StatusText(), "共: 2, 未读: 1");

  const TListRow plain = list.Row(0);
  EXPECT_EQ(plain.texts, (std::array<std::string, k_listColumnCount>{"", "", "张三", ListSizeText(list.Head(0).Size),
                                                                     "你好", "2026-12-01 00:00"}));
  EXPECT_TRUE(plain.bold);
  EXPECT_FALSE(plain.italic);
  EXPECT_EQ(plain.priority, TPriorityIcon::Normal);
  EXPECT_FALSE(plain.labelColor.has_value());

  const TListRow row = list.Row(list.RowOf(queuedId));
  EXPECT_EQ(row.texts[static_cast<int>(TListColumn::Size)], "2K");
  EXPECT_TRUE(row.italic);
  EXPECT_FALSE(row.bold);
  EXPECT_TRUE(row.attachment);
  EXPECT_EQ(row.priority, TPriorityIcon::High);
  EXPECT_EQ(row.labelColor, 16711680);
  EXPECT_FALSE(row.labelWholeRow);
  settings.LabelRow = true;
  EXPECT_TRUE(list.Row(list.RowOf(queuedId)).labelWholeRow);

  TMailHead read = list.Head(0);
  read.Unread = 0;
  list.Update(read);
  EXPECT_EQ(list.StatusText(), "共: 2, 未读: 0");
  list.Remove(queuedId);
  EXPECT_EQ(list.StatusText(), "共: 1, 未读: 0");
  EXPECT_EQ(list.RowOf(queuedId), -1);
}

TEST_F(MessageListTest, ClickToSortTurnsTheOrderRoundAndNoneGivesFileOrder) {
  TSystemSettings settings;
  TMailBox box(Base("in"));
  Add(box, Head("b", "2", 3, 0));
  Add(box, Head("c", "1", 1, 1));
  Add(box, Head("a", "3", 2, 0));
  TMessageList list(settings);
  list.Load(box);
  const auto senders = [&list] {
    std::string text;
    for (const TMailHead* head : list.Rows()) text += head->Correspondent;
    return text;
  };
  struct Step {
    std::optional<TListColumn> click;  // none: the sort menu's "(无)"
    std::string order;
  };
  const std::vector<Step> steps = {
      {TListColumn::Sender, "abc"}, {TListColumn::Sender, "cba"},    {TListColumn::Date, "cab"},
      {TListColumn::Subject, "cba"}, {TListColumn::Attachment, "cba"}, {std::nullopt, "bca"},
  };
  for (const Step& step : steps) {
    if (step.click) list.ClickColumn(*step.click);
    else list.SetSort(THeadColumn::None, true);
    EXPECT_EQ(senders(), step.order);
  }
  list.SetSort(THeadColumn::Unread, false);
  EXPECT_EQ(list.Rows().front()->Correspondent, "c");
}

TEST(ListColumns, WidthsFromListHeadCaptionsAndTexts) {
  const std::array<int, k_listColumnCount> defaults{{40, 40, 150, 40, 150, 80}};
  const std::vector<std::pair<std::string, std::array<int, k_listColumnCount>>> cases = {
      {"40,40,150,40,150,80", defaults}, {"1,2,3,4,5,6", {{1, 2, 3, 4, 5, 6}}}, {"", defaults},
      {"1,2,3", defaults},                {"1,2,3,4,5,6,7", defaults},           {"1,2,x,4,5,6", defaults},
      {"1,2,3,4,5,99999", defaults},      {"1,-2,3,4,5,6", defaults},
  };
  for (const auto& [text, widths] : cases) EXPECT_EQ(ListColumnWidths(text), widths) << text;
  EXPECT_EQ(ListHeadText(defaults), "40,40,150,40,150,80");
  EXPECT_EQ(ListColumnCaptions(), (std::array<std::string, k_listColumnCount>{"", "", "发件人", "大小", "主题", "日期"}));
  EXPECT_EQ(ListSizeText(0), "0K");
  EXPECT_EQ(ListSizeText(1024), "1K");
  EXPECT_EQ(ListSizeText(0xFFFFFFFFu), "4194304K");
  EXPECT_EQ(ListDateText(0), "");
}

}  // namespace
