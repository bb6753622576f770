// The operations of a pair: appending, finding, reading, deleting, replacing, editing,
// moving, neighbours, space accounting, titles and the pack threshold, with the header
// counters checked after every writer.
#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using PairOps = ScratchTest;

TEST_F(PairOps, AppendAssignsGrowingIdsAndReadsBack) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, MessageText("one"));
  std::int32_t b = AddText(box, MessageText("two"));
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(ReadText(box, a), MessageText("one"));
  EXPECT_EQ(ReadText(box, b), MessageText("two"));
  EXPECT_EQ(FileSize(Base("in.BOX")),
            static_cast<std::int64_t>(32 + MessageText("one").size() + MessageText("two").size()));
  ExpectCountersConsistent(box, 64);
  EXPECT_EQ(box.Header().UnreadCount, 2);
}

TEST_F(PairOps, AppendCopiesTheGivenRangeOfTheSource) {
  TMailBox box(Base("in"));
  TMemoryStream source("0123456789");
  TIdxRecord record;
  box.Append(record, source, 4, 3);
  EXPECT_EQ(record.DataSize, 4);
  EXPECT_EQ(ReadText(box, record.Id), "3456");
  TIdxRecord past;
  box.Append(past, source, 100, 8);  // only two bytes remain
  EXPECT_EQ(past.DataSize, 2);
  ExpectCountersConsistent(box, 64);
}

TEST_F(PairOps, EmptyItemsCountTheirSeparator) {
  TMailBox box(Base("in"));
  std::int32_t id = AddText(box, "");
  EXPECT_EQ(ReadText(box, id), "");
  EXPECT_EQ(box.Header().TotalBytes, 64 + 16);
  ASSERT_TRUE(box.DeleteRecord(id));
  box.ReadHeader();
  EXPECT_EQ(box.Header().WastedBytes, 16);
}

TEST_F(PairOps, FindRecordAndLocation) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, "aaaa");
  std::int32_t b = AddText(box, "bbbbbb");
  TIdxRecord record;
  ASSERT_TRUE(box.FindRecord(b, record));
  EXPECT_EQ(record.Id, b);
  EXPECT_EQ(record.DataOffset, 16 + 4 + 16);
  EXPECT_EQ(record.DataSize, 6);
  EXPECT_FALSE(box.FindRecord(99, record));
  ASSERT_TRUE(box.DeleteRecord(a));
  EXPECT_FALSE(box.FindRecord(a, record));
  EXPECT_TRUE(record.Deleted);  // filled although deleted
  std::int32_t offset = 0, size = 0;
  EXPECT_TRUE(box.GetLocation(a, offset, size));  // live or not
  EXPECT_EQ(offset, 16);
  EXPECT_EQ(size, 4);
  EXPECT_FALSE(box.GetLocation(99, offset, size));
}

TEST_F(PairOps, ReadMessageBodyOnly) {
  TMailBox box(Base("in"));
  struct Case {
    std::string text, body;
  } cases[] = {
      {"A: 1\r\nB: 2\r\n\r\nline 1\r\nline 2\r\n", "line 1\r\nline 2\r\n"},
      {"A: 1\r\nB: 2\r\n", ""},                   // no empty line: no body
      {"\r\nbody\r\n", "body\r\n"},               // the header block is the empty first line
      {"A: 1\r\r\nbody", "body"},                 // CR alone ends a line
      {"A: 1\n\nnot yet\r\n\r\nbody", "body"},    // LF alone does not
      {"A: 1\r\n\r\n", ""},
      {"A: 1\r\n\r", ""},
      {std::string(255, 'x') + "\r\nB: 2\r\n\r\nbody", "body"},  // a 255-byte line is one line
  };
  for (const Case& c : cases) {
    std::int32_t id = AddText(box, c.text);
    EXPECT_EQ(ReadText(box, id, false), c.body) << c.text;
    EXPECT_EQ(ReadText(box, id, true), c.text);
  }
  EXPECT_EQ(ReadText(box, 999), "<none>");
}

TEST_F(PairOps, ReadMessageStopsAtTheItemsEnd) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, "A: 1\r\n");  // no empty line inside this item
  AddText(box, "\r\n\r\nnext item");
  EXPECT_EQ(ReadText(box, a, false), "");
}

TEST_F(PairOps, DeleteRecordUpdatesCountersOnce) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, MessageText("a"), true);
  AddText(box, MessageText("b"), false);
  EXPECT_TRUE(box.DeleteRecord(a));
  EXPECT_FALSE(box.DeleteRecord(a));  // already deleted: nothing counted twice
  EXPECT_FALSE(box.DeleteRecord(77));
  ExpectCountersConsistent(box, 64);
  box.ReadHeader();
  EXPECT_EQ(box.Header().UnreadCount, 0);
  EXPECT_EQ(box.Header().ItemCount, 1);
  EXPECT_EQ(box.Header().WastedBytes, static_cast<std::int32_t>(MessageText("a").size() + 16));
  EXPECT_EQ(ReadText(box, a), "<none>");
}

TEST_F(PairOps, DeletingTheLastItemKeepsLastId) {
  TMailBox box(Base("in"));
  AddText(box, "one");
  std::int32_t two = AddText(box, "two");
  ASSERT_TRUE(box.DeleteRecord(two));
  box.ReadHeader();
  EXPECT_EQ(box.Header().LastId, 2);
  EXPECT_EQ(AddText(box, "three"), 3);
}

TEST_F(PairOps, NeighbourIdSkipsDeletedRecords) {
  TMailBox box(Base("in"));
  for (int i = 0; i < 80; ++i) AddText(box, "m" + std::to_string(i));
  for (int id = 2; id <= 70; ++id) ASSERT_TRUE(box.DeleteRecord(id));  // more than one read block
  EXPECT_EQ(box.NeighbourId(1, true), 71);
  EXPECT_EQ(box.NeighbourId(71, false), 1);
  EXPECT_EQ(box.NeighbourId(30, true), 71);  // from a deleted record
  EXPECT_EQ(box.NeighbourId(30, false), 1);
  EXPECT_EQ(box.NeighbourId(1, false), -1);
  EXPECT_EQ(box.NeighbourId(80, true), -1);
  EXPECT_EQ(box.NeighbourId(500, true), -1);
}

TEST_F(PairOps, ReplaceMessageSupersedesTheText) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, "old text", true);
  TIdxRecord record;
  ASSERT_TRUE(box.FindRecord(a, record));
  record.Summary[5] = 0;  // now read
  TMemoryStream text("the new, longer text");
  text.Seek(0, TSeekOrigin::End);  // the whole text is taken whatever the position
  ASSERT_TRUE(box.ReplaceMessage(record, text));
  EXPECT_EQ(record.DataSize, 20);
  EXPECT_EQ(record.DataOffset, 16 + 8 + 16);
  EXPECT_EQ(ReadText(box, a), "the new, longer text");
  ExpectCountersConsistent(box, 64);
  EXPECT_EQ(box.Header().UnreadCount, 0);
  EXPECT_EQ(box.Header().WastedBytes, 8 + 16);

  ASSERT_TRUE(box.DeleteRecord(a));
  TMemoryStream again("x");
  EXPECT_FALSE(box.ReplaceMessage(record, again));  // deleted: nothing happens
  record.Id = 42;
  EXPECT_FALSE(box.ReplaceMessage(record, again));
  EXPECT_EQ(FileSize(Base("in.BOX")), 16 + 8 + 16 + 20);
}

TEST_F(PairOps, EditHeadRewritesTheRecord) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, "text a", true);
  std::int32_t b = AddText(box, "text b", true);
  TIdxRecord record;
  ASSERT_TRUE(box.FindRecord(a, record));
  record.Summary[5] = 0;
  box.EditHead(record);
  ExpectCountersConsistent(box, 64);
  EXPECT_EQ(box.Header().UnreadCount, 1);

  // Pointing the record at b's text counts a's text as wasted and b's again as written.
  TIdxRecord other;
  ASSERT_TRUE(box.FindRecord(b, other));
  record.DataOffset = other.DataOffset;
  record.Deleted = 1;  // EditHead never deletes
  box.EditHead(record);
  EXPECT_EQ(ReadText(box, a), "text b");
  box.ReadHeader();
  EXPECT_EQ(box.Header().WastedBytes, 6 + 16);
  EXPECT_EQ(box.Header().TotalBytes, 64 + 3 * (6 + 16));

  record.Id = 99;
  try {
    box.EditHead(record);
    FAIL() << "no exception";
  } catch (const EIdxFileError& e) {
    EXPECT_EQ(e.Message(), "Can not find record head in EditHead");
  }
  ASSERT_TRUE(box.DeleteRecord(b));
  other.Id = b;
  EXPECT_THROW(box.EditHead(other), EIdxFileError);
}

TEST_F(PairOps, ListRecordsInFileOrder) {
  TMailBox box(Base("in"));
  for (int i = 0; i < 5; ++i) AddText(box, std::string(static_cast<size_t>(i), 'x'));
  box.DeleteRecord(2);
  std::vector<TIdxRecord> records;
  box.ListRecords(records);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].Id, 1);
  EXPECT_EQ(records[1].Id, 3);
  EXPECT_EQ(records[3].Id, 5);
  EXPECT_EQ(records[3].DataSize, 4);
}

TEST_F(PairOps, DeleteAllFlagsEveryRecord) {
  TMailBox box(Base("in"));
  for (int i = 0; i < 3000; ++i) AddText(box, "m", i % 2 == 0);  // more than one block
  int notified = 0;
  SetChangeNotifier([&](TIdxFile& pair) {
    EXPECT_EQ(&pair, &box);
    ++notified;
  });
  box.DeleteAll();
  EXPECT_EQ(notified, 1);
  std::vector<TIdxRecord> records;
  box.ListRecords(records);
  EXPECT_TRUE(records.empty());
  box.ReadHeader();
  EXPECT_EQ(box.Header().WastedBytes, box.Header().TotalBytes);
  EXPECT_EQ(box.Header().UnreadCount, 0);
  EXPECT_EQ(box.Header().ItemCount, 0);
  EXPECT_EQ(box.NeighbourId(1, true), -1);
}

TEST_F(PairOps, MoveFromAppendsThenDeletesInTheSource) {
  TMailBox in(Base("in")), trash(Base("trash"));
  AddText(trash, "already there");
  std::int32_t a = AddText(in, MessageText("moving"), true, "moving subject");
  std::int32_t moved = trash.MoveFrom(in, a);
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(ReadText(trash, moved), MessageText("moving"));
  TMailHead head;
  ASSERT_TRUE(trash.ReadHead(moved, head));
  EXPECT_EQ(head.Subject, "moving subject");
  EXPECT_EQ(head.Unread, 1);
  EXPECT_EQ(ReadText(in, a), "<none>");
  EXPECT_EQ(trash.MoveFrom(in, a), -1);   // no longer live
  EXPECT_EQ(trash.MoveFrom(in, 55), -1);
  ExpectCountersConsistent(in, 64);
  ExpectCountersConsistent(trash, 64);
  EXPECT_EQ(in.Header().UnreadCount, 0);
  EXPECT_EQ(trash.Header().UnreadCount, 2);
}

TEST_F(PairOps, SpaceInfoAndEstimatedPackedSize) {
  TMailBox box(Base("in"));
  AddText(box, std::string(100, 'a'));
  std::int32_t b = AddText(box, std::string(50, 'b'));
  AddText(box, std::string(10, 'c'));
  box.DeleteRecord(b);
  TSpaceInfo info = box.GetSpaceInfo();
  EXPECT_EQ(info.LiveCount, 2);
  EXPECT_EQ(info.DataFileSize, 3 * 16 + 160);
  EXPECT_EQ(info.Wasted, 16 + 50);
  EXPECT_EQ(box.EstimatedPackedSize(), (64 + 3 * 176) + (3 * 16 + 160) - (16 + 50));
}

TEST_F(PairOps, NeedsPackThreshold) {
  TMailBox box(Base("in"));
  std::int32_t a = AddText(box, std::string(184, 'a'));  // total 64 + 200
  AddText(box, std::string(120, 'b'));                   // total 400
  EXPECT_FALSE(box.NeedsPack(1));                        // nothing wasted
  box.DeleteRecord(a);                                   // wasted 200 of 400
  EXPECT_TRUE(box.NeedsPack(50));
  EXPECT_FALSE(box.NeedsPack(51));
  EXPECT_TRUE(box.NeedsPack(1));
  EXPECT_FALSE(box.NeedsPack(0));
  EXPECT_FALSE(box.NeedsPack(100));
  EXPECT_FALSE(box.NeedsPack(-5));
}

TEST_F(PairOps, NeedsPackDividesWholeNumbersWithoutOverflow) {
  TMailBox box(Base("in"));
  TIdxHeader header = box.Header();
  header.WastedBytes = 199;
  header.TotalBytes = 400;  // 49.75 percent
  box.WriteHeader(header);
  EXPECT_FALSE(box.NeedsPack(50));
  EXPECT_TRUE(box.NeedsPack(49));
  header.WastedBytes = 1500000000;  // times 100 is past 32 bits
  header.TotalBytes = 2000000000;
  box.WriteHeader(header);
  EXPECT_TRUE(box.NeedsPack(75));
  EXPECT_FALSE(box.NeedsPack(76));
  header.WastedBytes = 0;
  box.WriteHeader(header);
  EXPECT_FALSE(box.NeedsPack(1));
}

TEST_F(PairOps, TitleKeepsSixteenCharacters) {
  TIdxFile book(Base("book"));
  EXPECT_EQ(book.GetTitle(), "");
  book.SetTitle("Friends");
  EXPECT_EQ(book.GetTitle(), "Friends");
  book.SetTitle("");  // changes nothing
  EXPECT_EQ(book.GetTitle(), "Friends");
  book.SetTitle("A much longer title than sixteen");
  EXPECT_EQ(book.GetTitle(), "A much longer ti");
  book.SetTitle("Short");
  EXPECT_EQ(book.GetTitle(), "Short");
  std::string index = ReadFileBytes(Base("book.IND"));
  EXPECT_EQ(index.substr(18, 17), std::string("Short") + std::string(12, '\0'));
  // 15 single bytes and a two-byte character: the character does not fit.
  book.SetTitle(std::string(15, 'x') + "\xD6\xD0");
  EXPECT_EQ(book.GetTitle(), std::string(15, 'x'));
}

TEST_F(PairOps, PlainPairKeepsNoCounters) {
  TIdxFile pair(Base("plain"));
  int notified = 0;
  SetChangeNotifier([&](TIdxFile&) { ++notified; });
  TMemoryStream text("card");
  TIdxRecord record;
  record.Summary[5] = 1;
  pair.Append(record, text, 4, 0);
  EXPECT_EQ(record.Id, 1);
  pair.DeleteRecord(record.Id);
  pair.ReadHeader();
  EXPECT_EQ(pair.Header().ItemCount, 0);
  EXPECT_EQ(pair.Header().UnreadCount, 0);
  EXPECT_EQ(pair.Header().TotalBytes, 64);
  EXPECT_EQ(pair.Header().WastedBytes, 0);
  EXPECT_EQ(pair.Header().LastId, 1);
  pair.DeleteAll();
  EXPECT_EQ(notified, 0);
  bool unread = false;
  EXPECT_FALSE(pair.IsUnreadRecord(record, unread));
  EXPECT_TRUE(unread);
  std::int32_t u = -1, n = -1;
  pair.Recount(u, n);
  EXPECT_EQ(u, 0);
  EXPECT_EQ(n, 0);
}

// The writers' common tail, as a subclass sees it.
class CountingBox : public TMailBox {
 public:
  using TMailBox::TMailBox;
  using TMailBox::UpdateCounters;
};

TEST_F(PairOps, UpdateCountersAddsSeparatorsAndNotifiesOnCountChanges) {
  CountingBox box(Base("in"));
  int notified = 0;
  SetChangeNotifier([&](TIdxFile&) { ++notified; });
  box.UpdateCounters(0, 0, 100, 40);  // sizes only: no notification
  box.ReadHeader();
  EXPECT_EQ(box.Header().WastedBytes, 116);
  EXPECT_EQ(box.Header().TotalBytes, 64 + 56);
  EXPECT_EQ(notified, 0);
  box.UpdateCounters(1, 2, -1, 0);  // an empty item still has its separator
  box.ReadHeader();
  EXPECT_EQ(box.Header().UnreadCount, 1);
  EXPECT_EQ(box.Header().ItemCount, 2);
  EXPECT_EQ(box.Header().WastedBytes, 116);
  EXPECT_EQ(box.Header().TotalBytes, 64 + 56 + 16);
  EXPECT_EQ(notified, 1);
  box.UpdateCounters(0, -1, -1, -1);
  EXPECT_EQ(notified, 2);
  box.ReadHeader();
  EXPECT_EQ(box.Header().ItemCount, 1);
}

TEST_F(PairOps, NotifierFollowsCounterChanges) {
  TMailBox box(Base("in"));
  std::vector<TIdxFile*> calls;
  SetChangeNotifier([&](TIdxFile& pair) { calls.push_back(&pair); });
  std::int32_t a = AddText(box, "a", true);
  EXPECT_EQ(calls.size(), 1u);
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(a, head));
  head.Label = 3;  // no counter changes
  box.WriteHead(head);
  EXPECT_EQ(calls.size(), 1u);
  head.Unread = 0;
  box.WriteHead(head);
  EXPECT_EQ(calls.size(), 2u);
  box.DeleteRecord(a);
  EXPECT_EQ(calls.size(), 3u);
  box.SetEncrypted(false);
  EXPECT_EQ(calls.size(), 4u);
  for (TIdxFile* p : calls) EXPECT_EQ(p, &box);
  SetChangeNotifier(nullptr);
  AddText(box, "b");
  EXPECT_EQ(calls.size(), 4u);
}

TEST_F(PairOps, UnopenablePairsRaiseFileErrors) {
  std::string missingFolder = Base("no-such-folder") + platform::PathSeparator() + "in";
  try {
    TMailBox box(missingFolder);
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Create);
    EXPECT_EQ(e.Message(), "File Create Error: \r\n" + missingFolder + ".IND");
  }
  TMailBox box(Base("in"));
  AddText(box, "text");
  platform::FileDelete(Base("in.BOX"));
  try {
    AddText(box, "more");
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Open);
    EXPECT_EQ(e.FileName(), Base("in.BOX"));
  }
  EXPECT_THROW(ReadText(box, 1), EFileException);
}

TEST_F(PairOps, ChineseBasePath) {
  std::string base = Base("收件箱");
  TMailBox box(base);
  std::int32_t id = AddText(box, "text");
  EXPECT_EQ(ReadText(box, id), "text");
  EXPECT_TRUE(platform::FileExists(base + ".IND"));
  EXPECT_TRUE(platform::FileExists(base + ".BOX"));
}

}  // namespace
}  // namespace store_test
