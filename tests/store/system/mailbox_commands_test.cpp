// The manager's mailbox commands: compaction, marking, moving, the trash, after a send.
#include "quillet/store/system/system_manager.h"

#include "platform/file.h"
#include "tests/store/system/system_test_support.h"

namespace system_test {
namespace {

using store_test::AddText;
using store_test::MessageText;
using store_test::ReadFileBytes;

class MailboxCommandsTest : public SystemTest {
 protected:
  void SetUp() override {
    SystemTest::SetUp();
    manager = Open();
  }
  TBoxObject& Box(TBoxKind kind) { return manager->Boxes().Standard(kind); }
  // Adds `count` messages; their ids.
  std::vector<std::int32_t> Fill(TBoxObject& box, int count) {
    std::vector<std::int32_t> ids;
    for (int i = 0; i < count; ++i) ids.push_back(AddText(box.Box(), MessageText("m" + std::to_string(i))));
    return ids;
  }
  std::vector<std::int32_t> LiveIds(TBoxObject& box) {
    std::vector<std::int32_t> ids;
    box.Box().ListIds(ids);
    return ids;
  }
  std::unique_ptr<TSystemManager> manager;
};

using Ids = std::vector<std::int32_t>;
using Texts = std::vector<std::string>;

TEST_F(MailboxCommandsTest, PackShowsItsStatusAndFollowsItsRules) {
  TBoxObject& in = Box(TBoxKind::Inbox);
  TBoxObject& out = Box(TBoxKind::Outbox);
  const Ids ids = Fill(in, 4);
  in.Box().DeleteRecord(ids[0]);  // a quarter wasted, more than the 20 percent AutoPackRate
  Fill(out, 1);

  manager->SetSending(true);
  EXPECT_EQ(manager->PackBox(out, false), TPackResult::Refused);
  EXPECT_EQ(prompts.shown, Texts{"正在发送邮件，您现在不能压缩发件箱！"});
  manager->SetSending(false);
  EXPECT_EQ(manager->PackBox(out, true), TPackResult::NotNeeded);
  events.log.clear();

  EXPECT_EQ(manager->PackBox(in, true), TPackResult::Packed);
  EXPECT_EQ(events.log, (Texts{"busy", "status 压缩“收件箱”...", "status “收件箱”压缩完毕", "idle"}));
  EXPECT_EQ(in.Box().GetSpaceInfo().Wasted, 0);
  EXPECT_EQ(LiveIds(in), (Ids{ids[1], ids[2], ids[3]}));

  manager->Settings().AutoPackRate = 99;
  in.Box().DeleteRecord(ids[1]);
  EXPECT_EQ(manager->PackBox(in, true), TPackResult::NotNeeded);
  EXPECT_EQ(manager->PackBox(in, false), TPackResult::Packed);

  in.Box().SetEncrypted(true);
  events.log.clear();
  EXPECT_EQ(manager->PackBox(in, false), TPackResult::Encrypted);
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(MailboxCommandsTest, PackAllTakesEveryMailboxAndTheAddressBook) {
  TBoxObject& work = manager->CreateBox("Work");
  const Ids ids = Fill(work, 2);
  work.Box().DeleteRecord(ids[0]);
  {
    TIdxFile book(manager->AddressBookPath());
    TMemoryStream card("card");
    TIdxRecord record;
    book.Append(record, card, -1, 0);
    book.DeleteRecord(record.Id);
  }
  manager->PackAll(true);
  EXPECT_EQ(events.log, (Texts{"busy", "status 压缩“Work”...", "status “Work”压缩完毕", "idle"}));
  EXPECT_GT(TIdxFile(manager->AddressBookPath()).GetSpaceInfo().Wasted, 0);
  events.log.clear();
  manager->PackAll(false);
  EXPECT_EQ(events.log.size(), 6u * 4u);
  EXPECT_EQ(events.log[22], "status “address”压缩完毕");
  EXPECT_EQ(TIdxFile(manager->AddressBookPath()).GetSpaceInfo().Wasted, 0);
}

TEST_F(MailboxCommandsTest, MarkingWritesOnlyChangedRecordsAndReportsThem) {
  TBoxObject& in = Box(TBoxKind::Inbox);
  const Ids ids = Fill(in, 3);
  manager->MarkMessages(in, {ids[1]}, {TMarkField::Unread, 0});
  const struct {
    TMarkChange change;
    Ids changed;
  } cases[] = {
      {{TMarkField::Unread, 0}, {ids[0], ids[2]}},
      {{TMarkField::Unread, 0}, {}},
      {{TMarkField::Replied, 1}, {ids[0], ids[1], ids[2]}},
      {{TMarkField::Label, 7}, {ids[0], ids[1], ids[2]}},
      {{TMarkField::State, 1}, {ids[0], ids[1], ids[2]}},
      {{TMarkField::Priority, 1}, {ids[0], ids[1], ids[2]}},
  };
  for (const auto& c : cases) {
    events.log.clear();
    const std::string before = ReadFileBytes(in.BasePath() + ".IND");
    const TMessagesResult result = manager->MarkMessages(in, {ids[0], ids[1], ids[2], 99}, c.change);
    EXPECT_EQ(result.done, c.changed);
    EXPECT_EQ(result.missing, Ids{99});
    if (c.changed.empty()) {
      EXPECT_EQ(ReadFileBytes(in.BasePath() + ".IND"), before);
      EXPECT_TRUE(events.log.empty());
    } else {
      std::string line = "changed 收件箱";
      for (std::int32_t id : c.changed) line += " " + std::to_string(id);
      EXPECT_EQ(events.log, Texts{line});
    }
  }
  TMailHead head;
  ASSERT_TRUE(in.Box().ReadHead(ids[2], head));
  EXPECT_EQ(head.Unread, 0);
  EXPECT_TRUE(head.Replied);
  EXPECT_EQ(head.Label, 7);
  EXPECT_EQ(head.State, 1);
  EXPECT_EQ(head.Priority, 1);
  EXPECT_EQ(in.Box().Header().UnreadCount, 0);
}

TEST_F(MailboxCommandsTest, MovingIsRefusedIntoAnEncryptedMailbox) {
  TBoxObject& in = Box(TBoxKind::Inbox);
  TBoxObject& work = manager->CreateBox("Work");
  const Ids ids = Fill(in, 3);

  const TMessagesResult moved = manager->MoveMessages(in, {ids[2], 42, ids[0]}, work);
  EXPECT_EQ(moved.done, (Ids{1, 2}));
  EXPECT_EQ(moved.missing, Ids{42});
  EXPECT_EQ(store_test::ReadText(work.Box(), 1), MessageText("m2"));
  EXPECT_EQ(LiveIds(in), Ids{ids[1]});
  EXPECT_EQ(events.log.back(), "changed Work 1 2");

  EXPECT_EQ(manager->MoveMessages(in, {ids[1]}, in).done, Ids{ids[1]});
  EXPECT_EQ(LiveIds(in), Ids{ids[1]});

  work.Box().SetEncrypted(true);
  const TMessagesResult refused = manager->MoveMessages(in, {ids[1]}, work);
  EXPECT_TRUE(refused.refused);
  EXPECT_EQ(prompts.shown, Texts{"你不能往加密的邮箱转邮件"});
  EXPECT_EQ(LiveIds(in), Ids{ids[1]});
}

TEST_F(MailboxCommandsTest, DeleteMovesToTheTrashWhichFlagsAndEmpties) {
  TBoxObject& in = Box(TBoxKind::Inbox);
  TBoxObject& trash = Box(TBoxKind::Trashbox);
  const Ids ids = Fill(in, 2);
  EXPECT_EQ(manager->DeleteMessages(in, ids).done, (Ids{1, 2}));
  EXPECT_TRUE(LiveIds(in).empty());
  EXPECT_EQ(LiveIds(trash), (Ids{1, 2}));

  const TMessagesResult flagged = manager->DeleteMessages(trash, {1, 5});
  EXPECT_EQ(flagged.done, Ids{1});
  EXPECT_EQ(flagged.missing, Ids{5});
  EXPECT_EQ(LiveIds(trash), Ids{2});

  EXPECT_FALSE(manager->EmptyTrash());  // the recording prompts answer No
  EXPECT_EQ(prompts.asked, Texts{"是否要清空废件箱?\r\n废件箱中邮件删除后不能复原！"});
  EXPECT_EQ(LiveIds(trash), Ids{2});
  store_test::RecordingPrompts yes(true);
  auto agreeing = std::make_unique<TSystemManager>(IniPath(), TSystemContext{"", yes, events});
  EXPECT_TRUE(agreeing->EmptyTrash());
  EXPECT_TRUE(LiveIds(agreeing->Boxes().Standard(TBoxKind::Trashbox)).empty());
}

TEST_F(MailboxCommandsTest, AfterSendMarksTheOutboxCopyAndMovesItWhenSet) {
  TBoxObject& out = Box(TBoxKind::Outbox);
  TBoxObject& sent = Box(TBoxKind::Sentbox);
  const Ids ids = Fill(out, 2);
  const TSystemManager::TSentPlace place = manager->AfterSend(ids[0]);
  EXPECT_EQ(place.box, &sent);
  TMailHead head;
  ASSERT_TRUE(sent.Box().ReadHead(place.id, head));
  EXPECT_EQ(head.State, 1);
  EXPECT_EQ(LiveIds(out), Ids{ids[1]});

  manager->Settings().MoveToSentbox = false;
  EXPECT_EQ(manager->AfterSend(ids[1]).box, &out);
  EXPECT_EQ(manager->AfterSend(ids[1]).id, ids[1]);
  ASSERT_TRUE(out.Box().ReadHead(ids[1], head));
  EXPECT_EQ(head.State, 1);
  EXPECT_EQ(manager->AfterSend(77).box, nullptr);
}

TEST_F(MailboxCommandsTest, CipherCommandsReportTheMailboxOnlyWhenTheyChangedIt) {
  TBoxObject& in = Box(TBoxKind::Inbox);
  const Ids ids = Fill(in, 2);
  manager->EncryptBox(in, "pw");
  EXPECT_TRUE(in.Box().IsEncrypted());
  EXPECT_THROW(manager->EncryptBox(in, "pw"), ECipherError);
  EXPECT_THROW(manager->DecryptBox(in, "other"), ECipherError);
  EXPECT_EQ(events.ciphers, (Texts{"收件箱"}));
  manager->DecryptBox(in, "pw");
  EXPECT_EQ(LiveIds(in), ids);
  EXPECT_EQ(events.ciphers, (Texts{"收件箱", "收件箱"}));
}

}  // namespace
}  // namespace system_test
