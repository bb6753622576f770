// Messages in and out through the manager: delivery, import and export.
#include "quillet/store/system/system_manager.h"

#include "platform/file.h"
#include "quillet/store/mailbox/store_errors.h"
#include "quillet/store/system/message_export.h"
#include "tests/store/system/system_test_support.h"

namespace system_test {
namespace {

using store_test::AddText;
using store_test::MessageText;
using store_test::ReadFileBytes;
using Texts = std::vector<std::string>;

class MessageFilesTest : public SystemTest {
 protected:
  void SetUp() override {
    SystemTest::SetUp();
    manager = Open();
  }
  std::unique_ptr<TSystemManager> manager;
};

TEST_F(MessageFilesTest, DeliveryUsesTheSetForRuleTargetsAndTheInbox) {
  TBoxObject& work = manager->CreateBox("Work");
  TOneAction rule;
  rule.subject = "report";
  rule.target = "Work";
  manager->Assistant().ReplaceRules({rule});
  const struct {
    std::string subject;
    std::string mailbox;
    std::string change;
  } cases[] = {{"weekly REPORT", "Work", "changed Work 1"}, {"hello", "收件箱", "changed 收件箱 1"}};
  for (const auto& c : cases) {
    TMemoryStream message(MessageText(c.subject));
    const TDeliveryResult result = manager->Deliver(message);
    EXPECT_EQ(result.mailboxName, c.mailbox);
    EXPECT_EQ(result.id, 1);
    EXPECT_EQ(events.log.back(), c.change);
  }
  manager->RenameBox(work, "Job");
  TMemoryStream message(MessageText("report two"));
  EXPECT_EQ(manager->Deliver(message).mailboxName, "Job");
  EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MessageFilesTest, ImportStoresTheFileWithTheSummaryDeliveryGives) {
  const std::string file = Folder() + "note.eml";
  store_test::WriteFileBytes(file,
                             "From: =?GB2312?B?1tDOxA==?= <x@y>\nSubject: =?GB2312?B?1tDOxA==?= notes\n"
                             "Date: Mon, 7 Dec 1998 09:05:03 +0000\nX-Priority: 1\n\nbody\n");
  TBoxObject& in = manager->Boxes().Standard(TBoxKind::Inbox);
  const std::int32_t id = manager->ImportMessage(in, file);
  TMailHead head;
  ASSERT_TRUE(in.Box().ReadHead(id, head));
  const std::string stored = store_test::ReadText(in.Box(), id);
  EXPECT_EQ(stored,
            "From: =?GB2312?B?1tDOxA==?= <x@y>\r\nSubject: =?GB2312?B?1tDOxA==?= notes\r\n"
            "Date: Mon, 7 Dec 1998 09:05:03 +0000\r\nX-Priority: 1\r\n\r\nbody\r\n");
  EXPECT_EQ(head.Correspondent, "中文");
  EXPECT_EQ(head.Subject, "中文 notes");
  EXPECT_EQ(head.Unread, 1);
  EXPECT_EQ(head.Priority, 1);
  EXPECT_EQ(head.Size, stored.size());
  EXPECT_EQ(DecodeDateTime(head.Date).year, 1998);
  EXPECT_EQ(events.log, (Texts{"changed 收件箱 1", "status 一个文件被导入到邮箱：收件箱"}));
  EXPECT_THROW(manager->ImportMessage(in, Folder() + "missing.eml"), EFileException);
}

TEST_F(MessageFilesTest, ExportWritesOneMessageAsItIsAndSeveralAsOneMailboxFile) {
  TBoxObject& in = manager->Boxes().Standard(TBoxKind::Inbox);
  const std::int32_t first = AddText(in.Box(), MessageText("one", "From the top\r\n>From quoted"));
  const std::int32_t second = AddText(in.Box(), MessageText("two"));
  const std::string file = Folder() + "out.txt";

  manager->ExportMessages(in, {second}, file);
  EXPECT_EQ(ReadFileBytes(file), MessageText("two"));

  manager->ExportMessages(in, {first, second}, file);
  const std::string bytes = ReadFileBytes(file);
  EXPECT_EQ(bytes.compare(0, 7, "From - "), 0);
  EXPECT_NE(bytes.find("\r\n\r\n>From the top\r\n>>From quoted\r\n\r\nFrom - "), std::string::npos) << bytes;
  EXPECT_EQ(bytes.substr(bytes.size() - 15), "\r\nBody text\r\n\r\n");

  try {
    manager->ExportMessages(in, {first, 9}, Folder() + "none.txt");
    ADD_FAILURE();
  } catch (const EIdxFileError& e) {
    EXPECT_EQ(e.Message(), "No message with id 9");
  }
  EXPECT_FALSE(platform::FileExists(Folder() + "none.txt"));
}

TEST(MessageExport, SeveralMessagesAreSeparatedQuotedAndEnded) {
  TDateTime date;
  ASSERT_TRUE(TryEncodeDateTime({1998, 12, 7, 9, 5, 3, 0}, date));
  const struct {
    const char* name;
    std::vector<TExportedMessage> messages;
    std::string file;
  } cases[] = {
      {"one message stays as it is", {{date, "From x\r\nno end"}}, "From x\r\nno end"},
      {"two, the first without a last line end",
       {{date, "A: b\r\n\r\nlast"}, {0, "A: c\r\n\r\nFrom me\r\n>From\r\n>>From you\r\n"}},
       "From - Mon Dec  7 09:05:03 1998\r\nA: b\r\n\r\nlast\r\n\r\n"
       "From - Sat Dec 30 00:00:00 1899\r\nA: c\r\n\r\n>From me\r\n>From\r\n>>>From you\r\n\r\n"},
      {"nothing", {}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportFileText(c.messages), c.file) << c.name;
}

}  // namespace
}  // namespace system_test
