// The mailbox menu's questions and protections, mailbox properties, the export name rule
// and find over a mailbox.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/frame/box_menu.h"
#include "quillet/frame/export_file_name.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/message_find.h"
#include "tests/store/system/system_test_support.h"

namespace {

TEST(ExportFileName, FilterExtensionAddedWhenTheNameLacksIt) {
  const std::vector<std::tuple<std::string, int, std::string>> cases = {
      {"a", 2, "a.msg"},       {"a", 1, "a.eml"},          {"a", 3, "a.txt"},   {"a", 4, "a"},
      {"a", 0, "a"},           {"a.msg", 2, "a.msg"},      {"A.MSG", 2, "A.MSG"}, {"a.txt", 2, "a.txt.msg"},
      {"dir.x\\a", 1, "dir.x\\a.eml"}, {"邮件", 3, "邮件.txt"},
  };
  for (const auto& [name, filter, expected] : cases) EXPECT_EQ(ExportFileName(name, filter), expected) << name << filter;
}

TEST(FilterEntries, PairsOfTheFilterText) {
  using TEntries = std::vector<std::pair<std::string, std::string>>;
  const std::vector<std::pair<std::string, TEntries>> cases = {
      {frame_texts::k_messageFileFilter,
       {{"OutLook邮件(*.eml)", "*.eml"}, {"Exchange邮件(*.msg)", "*.msg"}, {"文本格式邮件(*.txt)", "*.txt"},
        {"所有文件(*.*)", "*.*"}}},
      {"\x81|(*.a)|*.a|lone", {{"\x81|(*.a)", "*.a"}}},  // 0x81 0x7C is one character
      {"", {}},
  };
  for (const auto& [filter, entries] : cases) EXPECT_EQ(FilterEntries(filter), entries) << filter;
}

class BoxMenuTest : public system_test::SystemTest {};

TEST_F(BoxMenuTest, QuestionsProtectionsAndProperties) {
  auto manager = Open();
  TBoxObject& inbox = manager->Boxes().Standard(TBoxKind::Inbox);
  TBoxObject& work = manager->CreateBox("工作");
  EXPECT_FALSE(CanRenameOrDelete(inbox));
  EXPECT_TRUE(CanRenameOrDelete(work));
  EXPECT_EQ(RenameQuestion(work), "将原邮箱名\"工作\"改为：");
  EXPECT_EQ(CipherRefusal(work, {inbox.BasePath()}), "");
  EXPECT_EQ(CipherRefusal(work, {inbox.BasePath(), work.BasePath()}), "邮箱 工作 有打开的邮件窗口，请先关闭邮件窗口");

  const std::int32_t first = store_test::AddText(work.Box(), store_test::MessageText("one"));
  store_test::AddText(work.Box(), store_test::MessageText("two"));
  ASSERT_TRUE(work.Box().DeleteRecord(first));
  const TBoxProperties properties = BoxProperties(work);
  EXPECT_EQ(properties.name, "工作");
  EXPECT_EQ(properties.messageCount, 1);
  EXPECT_EQ(properties.fileSize, store_test::FileSize(work.Box().IndexPath()) +
                                     store_test::FileSize(work.Box().DataPath()));
  EXPECT_EQ(properties.wastedSpace, work.Box().GetSpaceInfo().Wasted);
  EXPECT_GT(properties.wastedSpace, 0);
  EXPECT_EQ(properties.created, work.Box().Header().Created);
  EXPECT_FALSE(properties.encrypted);
}

TEST(BoxPropertyTexts, FiguresAndCheckReports) {
  TBoxProperties properties{"工作", 0, 3, 4096, 120, false};
  ASSERT_TRUE(TryEncodeDateTime({2024, 5, 6, 7, 8, 0, 0}, properties.created));
  EXPECT_EQ(PropertyTexts(properties),
            (std::array<std::string, 5>{"工作", "2024-05-06 07:08", "3", "4096 字节", "120 字节"}));
  properties.encrypted = true;
  EXPECT_EQ(PropertyTexts(properties)[0], "工作（已加密）");
  const std::vector<std::pair<std::int32_t, std::string>> reports = {
      {0, "邮箱检查完毕，没有发现错误。"}, {2, "邮箱检查发现 2 处错误。"}};
  for (const auto& [faults, text] : reports) EXPECT_EQ(CheckReport(faults), text);
}

TEST(MessageMatches, HeaderOnlyAndCaseOptions) {
  TMailHead head;
  head.Correspondent = "张三";
  head.Subject = "会议";
  const std::string text = "From: Zhang <zs@example.org>\r\nSubject: x\r\n\r\nThe Budget\r\n";
  struct Case {
    std::string find;
    bool headersOnly, caseSensitive, matches;
  };
  const std::vector<Case> cases = {
      {"budget", false, false, true}, {"budget", false, true, false}, {"Budget", false, true, true},
      {"budget", true, false, false}, {"zhang", true, false, true},   {"会议", true, true, true},
      {"三", true, false, true},      {"", false, false, false},
      // "\xD5\xC5" is one character; its trail byte followed by the next lead byte is not.
      {"\xC5\xC8", true, false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MessageMatches(text, head, {c.find, c.headersOnly, c.caseSensitive}), c.matches) << c.find;
}

class MessageFindTest : public store_test::ScratchTest {};

TEST_F(MessageFindTest, FindAgainWalksTheRowsDownwards) {
  TMailBox box(Base("in"));
  THeadList heads;
  for (const char* subject : {"alpha", "beta", "alpha again", "gamma"}) {
    store_test::AddText(box, store_test::MessageText(subject));
  }
  box.LoadHeads(heads);
  std::vector<const TMailHead*> rows;
  for (const auto& head : heads.Items()) rows.push_back(head.get());
  TMessageFinder finder;
  EXPECT_EQ(finder.FindNext(box, rows, -1), -1);  // no query yet
  finder.SetQuery({"ALPHA", true, false});
  EXPECT_EQ(finder.FindNext(box, rows, -1), 0);
  EXPECT_EQ(finder.FindNext(box, rows, 0), 2);
  EXPECT_EQ(finder.FindNext(box, rows, 2), -1);
  ASSERT_TRUE(box.DeleteRecord(rows[2]->Id));
  EXPECT_EQ(finder.FindNext(box, rows, 0), -1);  // a gone message is passed over
}

}  // namespace
