// Mailboxes: heads in and out, loading, lines, marking, the counters and the upgrade of
// an older index.
#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using MailBox = ScratchTest;

TEST_F(MailBox, HeadRoundTrip) {
  TMailBox box(Base("in"));
  TMailHead head;
  head.State = 1;
  head.Unread = 1;
  head.HasAttachment = 1;
  head.Date = 45000.25;
  head.Priority = 5;
  head.Size = 999;
  head.Label = 7;
  head.Replied = true;
  head.Flag2 = true;
  head.Partial = true;
  head.Correspondent = "张三";
  head.Subject = "会议";
  TMemoryStream text(MessageText("x"));
  box.AddMessage(head, text);
  TMailHead back;
  ASSERT_TRUE(box.ReadHead(head.Id, back));
  EXPECT_EQ(back.Id, head.Id);
  EXPECT_EQ(back.State, 1);
  EXPECT_EQ(back.Unread, 1);
  EXPECT_EQ(back.HasAttachment, 1);
  EXPECT_NEAR(back.Date, 45000.25, 1e-9);
  EXPECT_EQ(back.Priority, 5);
  EXPECT_EQ(back.Size, 999u);
  EXPECT_EQ(back.Label, 7);
  EXPECT_TRUE(back.Replied);
  EXPECT_TRUE(back.Flag2);
  EXPECT_TRUE(back.Partial);
  EXPECT_EQ(back.Correspondent, "张三");
  EXPECT_EQ(back.Subject, "会议");
  EXPECT_FALSE(box.ReadHead(head.Id + 1, back));
}

TEST_F(MailBox, IdIsTakenFromTheRecordNotTheSummaryCopy) {
  WritePair(Base("in"), {4}, {"text"});
  std::string index = ReadFileBytes(Base("in.IND"));
  PutInt32At(index, 64 + 13, 12345);
  WriteFileBytes(Base("in.IND"), index);
  TMailBox box(Base("in"));
  THeadList heads;
  box.LoadHeads(heads);
  ASSERT_EQ(heads.Count(), 1);
  EXPECT_EQ(heads[0].Id, 4);
}

TEST_F(MailBox, WriteHeadKeepsTheLocationAndCountsUnread) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, MessageText("a"), true);
  AddText(box, MessageText("b"), true);
  TIdxRecord before;
  ASSERT_TRUE(box.FindRecord(a, before));
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(a, head));
  head.Unread = 0;
  head.Subject = "renamed";
  box.WriteHead(head);
  TIdxRecord after;
  ASSERT_TRUE(box.FindRecord(a, after));
  EXPECT_EQ(after.DataOffset, before.DataOffset);
  EXPECT_EQ(after.DataSize, before.DataSize);
  ASSERT_TRUE(box.ReadHead(a, head));
  EXPECT_EQ(head.Subject, "renamed");
  ExpectCountersConsistent(box, 64);
  EXPECT_EQ(box.Header().UnreadCount, 1);
  EXPECT_EQ(box.Header().WastedBytes, 0);

  head.Id = 50;
  try {
    box.WriteHead(head);
    FAIL() << "no exception";
  } catch (const EIdxFileError& e) {
    EXPECT_EQ(e.Message(), "Can not find record head in EditHead");
  }
}

TEST_F(MailBox, LoadHeadsAndListIdsInFileOrder) {
  TMailBox box(Base("in"));
  for (int i = 1; i <= 6; ++i) AddText(box, "m", i % 2 == 1, "s" + std::to_string(i));
  box.DeleteRecord(4);
  THeadList heads;
  heads.Add(Head("already", "there"));  // appended to, not cleared
  box.LoadHeads(heads);
  ASSERT_EQ(heads.Count(), 6);
  EXPECT_EQ(heads[0].Subject, "there");
  EXPECT_EQ(heads[1].Subject, "s1");
  EXPECT_EQ(heads[4].Subject, "s5");
  EXPECT_EQ(heads[5].Id, 6);
  std::vector<std::int32_t> ids;
  box.ListIds(ids);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 2, 3, 5, 6}));
  EXPECT_EQ(CountUnread(heads), 4);  // "already" plus 1, 3, 5
  std::vector<TMailHead*> pointers;
  for (auto& h : heads.Items()) pointers.push_back(h.get());
  EXPECT_EQ(TMailBox::CountUnread(pointers), 4);
}

TEST_F(MailBox, ReadLinesFollowsTheLineRoutine) {
  TMailBox box(Base("in"));
  std::string longLine(300, 'x');
  std::int32_t a = AddText(box, "A: 1\r\n\r\nbody\r\n" + longLine + "\r\nlast");
  AddText(box, "next item\r\n");
  TStringList lines = {"stale"};
  box.ReadLines(a, lines);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "A: 1");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "body");
  EXPECT_EQ(lines[3], std::string(255, 'x'));  // a line longer than 255 bytes comes in pieces
  EXPECT_EQ(lines[4], std::string(45, 'x'));
  EXPECT_EQ(lines[5], "last");                  // not running into the next item
  box.DeleteRecord(a);
  box.ReadLines(a, lines);
  EXPECT_EQ(lines.size(), 6u);  // the text of a deleted record is still there
  box.ReadLines(77, lines);
  EXPECT_TRUE(lines.empty());
}

TEST_F(MailBox, MarkingMessagesRead) {
  TMailBox box(Base("in"));
  for (int i = 0; i < 20; ++i) AddText(box, "m", true);
  int notified = 0;
  SetChangeNotifier([&](TIdxFile&) { ++notified; });
  for (std::int32_t id = 1; id <= 20; id += 2) {
    TMailHead head;
    ASSERT_TRUE(box.ReadHead(id, head));
    if (head.Unread != 0) {
      head.Unread = 0;
      box.WriteHead(head);
    }
  }
  EXPECT_EQ(notified, 10);
  ExpectCountersConsistent(box, 64);
  EXPECT_EQ(box.Header().UnreadCount, 10);
}

TEST_F(MailBox, UpgradeOfAVersion5Index) {
  std::vector<std::string> texts = {"aaaa", "bbbbbbbb", "cc"};
  WritePair(Base("old"), {1, 2, 3}, texts);
  std::string index = ReadFileBytes(Base("old.IND"));
  index[4] = 5;                     // version 5
  PutInt32At(index, 35, 999);       // counters of no value
  PutInt32At(index, 39, 1);
  PutInt32At(index, 43, 77);
  PutInt32At(index, 47, 88);
  index[64 + 176 + 4] = 1;          // item 2 deleted
  index[64 + 2 * 176 + 13 + 5] = 0; // item 3 read
  WriteFileBytes(Base("old.IND"), index);
  std::int64_t dataSize = FileSize(Base("old.BOX"));
  {
    TMailBox box(Base("old"));
    EXPECT_EQ(box.Header().Version, 6);
  }
  std::string upgraded = ReadFileBytes(Base("old.IND"));
  EXPECT_EQ(upgraded[4], 6);
  EXPECT_EQ(Int32At(upgraded, 43), 1);                                   // unread: item 1
  EXPECT_EQ(Int32At(upgraded, 47), 2);                                   // items 1 and 3
  EXPECT_EQ(Int32At(upgraded, 39), dataSize);                            // TotalBytes
  EXPECT_EQ(Int32At(upgraded, 35), dataSize - (4 + 2) - 2 * 16);         // WastedBytes
  EXPECT_EQ(upgraded.substr(64), index.substr(64));                      // records untouched
}

TEST_F(MailBox, NoUpgradeWithoutTheTerminatorOrForVersion6) {
  WritePair(Base("odd"), {1}, {"x"});
  std::string index = ReadFileBytes(Base("odd.IND"));
  index[3] = 'X';
  index[4] = 5;
  WriteFileBytes(Base("odd.IND"), index);
  { TMailBox box(Base("odd")); }
  EXPECT_EQ(ReadFileBytes(Base("odd.IND")), index);

  WritePair(Base("new"), {1}, {"x"});
  std::string current = ReadFileBytes(Base("new.IND"));
  PutInt32At(current, 47, 55);
  WriteFileBytes(Base("new.IND"), current);
  { TMailBox box(Base("new")); }
  EXPECT_EQ(ReadFileBytes(Base("new.IND")), current);
}

TEST_F(MailBox, PlainPairUpgradeCountsNothing) {
  WritePair(Base("book"), {1, 2}, {"card", "card"});
  std::string index = ReadFileBytes(Base("book.IND"));
  index[4] = 3;
  WriteFileBytes(Base("book.IND"), index);
  TIdxFile book(Base("book"));
  EXPECT_EQ(book.Header().Version, 6);
  EXPECT_EQ(book.Header().ItemCount, 0);
  EXPECT_EQ(book.Header().UnreadCount, 0);
  EXPECT_EQ(book.Header().TotalBytes, 2 * (16 + 4));
  EXPECT_EQ(book.Header().WastedBytes, 0);
}

#ifndef _WIN32
// Every operation closes what it opened, also when it fails.
int OpenDescriptors() {
  int count = 0;
  for (int fd = 0; fd < 1024; ++fd)
    if (platform::FileSeek(fd, 0, platform::SeekOrigin::Current) >= 0 || platform::LastFileError() != 9) ++count;
  return count;
}

TEST_F(MailBox, FilesAreClosedInEveryOutcome) {
  int before = OpenDescriptors();
  {
    TMailBox box(Base("in"));
    std::int32_t id = AddText(box, MessageText("a"));
    THeadList heads;
    box.LoadHeads(heads);
    TMailHead head;
    box.ReadHead(id, head);
    head.Unread = 0;
    box.WriteHead(head);
    ReadText(box, id, false);
    TStringList lines;
    box.ReadLines(id, lines);
    box.CheckSeparators();
    box.GetSpaceInfo();
    box.NeighbourId(id, true);
    RecordingPrompts prompts;
    box.Pack(prompts);
    box.BeginAppend();
    box.StoreStreamed(head);
    head.Id = 99;
    EXPECT_THROW(box.WriteHead(head), EIdxFileError);
    box.SetEncrypted(true);
    EXPECT_THROW(AddText(box, "x"), EOperateOnEncrypted);
    EXPECT_THROW(box.Pack(prompts), EOperateOnEncrypted);
    box.SetEncrypted(false);
    platform::FileDelete(Base("in.BOX"));
    EXPECT_THROW(AddText(box, "x"), EFileException);
    EXPECT_THROW(box.Pack(prompts), EFileException);
  }
  EXPECT_EQ(OpenDescriptors(), before);
}
#endif

}  // namespace
}  // namespace store_test
