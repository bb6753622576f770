// Damaged pairs lose nothing and crash nothing: listing keeps the sound records, reading
// a damaged item fails cleanly, the separator check counts the damage and Pack keeps
// every readable item.
#include <limits>

#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

class DamagedPair : public ScratchTest {
 protected:
  // Three messages of known text; returns the texts.
  std::vector<std::string> MakeBox() {
    std::vector<std::string> texts = {MessageText("one"), MessageText("two"), MessageText("three")};
    WritePair(Base("in"), {1, 2, 3}, texts);
    return texts;
  }

  // Rewrites one field of record `index` (0-based) in the index file.
  void PatchRecord(int index, std::size_t offset, std::int32_t value) {
    std::string bytes = ReadFileBytes(Base("in.IND"));
    PutInt32At(bytes, 64 + 176 * static_cast<size_t>(index) + offset, value);
    WriteFileBytes(Base("in.IND"), bytes);
  }

  void CutAsAnInterruptedAppend(const std::vector<std::string>& texts);

  std::vector<std::int32_t> Ids(TMailBox& box) {
    std::vector<std::int32_t> ids;
    box.ListIds(ids);
    return ids;
  }

  void ExpectReadFails(TMailBox& box, std::int32_t id) {
    TMemoryStream out;
    try {
      box.ReadMessage(id, out, true);
      FAIL() << "no exception for " << id;
    } catch (const EFileException& e) {
      EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Read);
      EXPECT_EQ(e.FileName(), Base("in.BOX"));
    }
    EXPECT_EQ(out.Size(), 0);
    EXPECT_THROW(box.ReadMessage(id, out, false), EFileException);
  }
};

TEST_F(DamagedPair, TruncatedIndexListsTheSoundRecords) {
  std::vector<std::string> texts = MakeBox();
  std::string index = ReadFileBytes(Base("in.IND"));
  WriteFileBytes(Base("in.IND"), index.substr(0, index.size() - 100));  // the last record is cut
  TMailBox box(Base("in"));
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2}));
  THeadList heads;
  box.LoadHeads(heads);
  EXPECT_EQ(heads.Count(), 2);
  TMailHead head;
  EXPECT_FALSE(box.ReadHead(3, head));
  EXPECT_EQ(ReadText(box, 2), texts[1]);
  EXPECT_EQ(box.CheckSeparators(), 1);  // the header still counts the cut-off record's item
}

TEST_F(DamagedPair, AppendCompletesACutRecordWhoseTextIsWhole) {
  std::vector<std::string> texts = MakeBox();
  std::string index = ReadFileBytes(Base("in.IND"));
  WriteFileBytes(Base("in.IND"), index.substr(0, index.size() - 100));
  TMailBox box(Base("in"));
  std::int32_t id = AddText(box, "new");
  EXPECT_EQ(id, 4);  // 3 was given already
  EXPECT_EQ(FileSize(Base("in.IND")), 64 + 4 * 176);
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(ReadText(box, 3), texts[2]);
  EXPECT_EQ(ReadText(box, 4), "new");
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(3, head));
  EXPECT_EQ(head.Subject, "subject 3");  // the part of the summary that was written
  EXPECT_EQ(box.CheckSeparators(), 0);
}

TEST_F(DamagedPair, AppendOverwritesAFragmentTooShortToUse) {
  MakeBox();
  std::string index = ReadFileBytes(Base("in.IND"));
  WriteFileBytes(Base("in.IND"), index.substr(0, 64 + 2 * 176 + 7));  // id and flag only
  TMailBox box(Base("in"));
  std::int32_t id = AddText(box, "new");
  EXPECT_EQ(FileSize(Base("in.IND")), 64 + 3 * 176);
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, id}));
  EXPECT_EQ(ReadText(box, id), "new");
}

TEST_F(DamagedPair, PackKeepsACutRecordWhoseTextIsWhole) {
  std::vector<std::string> texts = MakeBox();
  std::string index = ReadFileBytes(Base("in.IND"));
  WriteFileBytes(Base("in.IND"), index.substr(0, index.size() - 150));
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, 3}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadText(box, i + 1), texts[static_cast<size_t>(i)]);
  EXPECT_EQ(box.CheckSeparators(), 0);
}

// The index as an append of item 3 leaves it when it breaks off inside the record: the
// text and LastId are written, the record is cut and the counters are those of items 1, 2.
void DamagedPair::CutAsAnInterruptedAppend(const std::vector<std::string>& texts) {
  std::string index = ReadFileBytes(Base("in.IND"));
  index.resize(index.size() - 100);
  PutInt32At(index, 39, static_cast<std::int32_t>(64 + 2 * 16 + texts[0].size() + texts[1].size()));
  PutInt32At(index, 43, 2);
  PutInt32At(index, 47, 2);
  WriteFileBytes(Base("in.IND"), index);
}

TEST_F(DamagedPair, RecoveredRecordIsCountedOnce) {
  std::vector<std::string> texts = MakeBox();
  CutAsAnInterruptedAppend(texts);
  {
    TMailBox box(Base("in"));
    AddText(box, "new");
    ExpectCountersConsistent(box, 64);
    EXPECT_EQ(box.Header().ItemCount, 4);
  }
  MakeBox();
  CutAsAnInterruptedAppend(texts);
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  ExpectCountersConsistent(box, 0);
  EXPECT_EQ(box.Header().ItemCount, 3);
  EXPECT_EQ(box.Header().UnreadCount, 3);
}

TEST_F(DamagedPair, DeleteAllAlsoDeletesACutRecord) {
  std::vector<std::string> texts = MakeBox();
  CutAsAnInterruptedAppend(texts);
  TMailBox box(Base("in"));
  box.DeleteAll();
  std::int32_t id = AddText(box, "new");
  EXPECT_EQ(id, 4);
  EXPECT_EQ(Ids(box), std::vector<std::int32_t>{id});  // item 3 does not come back
  ExpectCountersConsistent(box, 0);  // everything before counts as wasted
  EXPECT_EQ(box.Header().ItemCount, 1);
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(Ids(box), std::vector<std::int32_t>{id});
  EXPECT_EQ(ReadText(box, id), "new");
}

TEST_F(DamagedPair, GarbageHeader) {
  std::vector<std::string> texts = MakeBox();
  std::string index = ReadFileBytes(Base("in.IND"));
  for (int i = 0; i < 64; ++i) index[static_cast<size_t>(i)] = static_cast<char>(0xF0 + i % 16);
  WriteFileBytes(Base("in.IND"), index);
  TMailBox box(Base("in"));  // byte 3 is not zero: no upgrade, no signature check
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(ReadText(box, 3), texts[2]);
  std::int32_t id = AddText(box, "new");   // LastId is negative garbage
  EXPECT_EQ(id, 4);                        // still after the last record
  EXPECT_TRUE(box.DeleteRecord(1));        // counters wrap instead of overflowing
  box.NeedsPack(50);
  EXPECT_EQ(box.CheckSeparators(), 0);
}

TEST_F(DamagedPair, LastIdAtTheLimit) {
  MakeBox();
  TMailBox box(Base("in"));
  TIdxHeader header = box.Header();
  header.LastId = std::numeric_limits<std::int32_t>::max();
  box.WriteHeader(header);
  std::int64_t size = FileSize(Base("in.IND"));
  EXPECT_THROW(AddText(box, "new"), EIdxFileError);
  EXPECT_EQ(FileSize(Base("in.IND")), size);
}

// (With an empty data file beside it, such an index is a creation that broke off; see
// the creation tests.)
TEST_F(DamagedPair, ShortHeaderIsAReadError) {
  WriteFileBytes(Base("in.IND"), "KWB");
  WriteFileBytes(Base("in.BOX"), Separator() + "text");
  try {
    TMailBox box(Base("in"));
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Read);
    EXPECT_EQ(e.Message(), "File Read Error: \r\n" + Base("in.IND"));
  }
  EXPECT_EQ(ReadFileBytes(Base("in.IND")), "KWB");
}

// A writer that stopped between a record and the counters leaves the counters marked
// pending (the first reserved header byte); opening counts them again and clears the mark.
TEST_F(DamagedPair, CountersLeftPendingAreCountedAgainOnOpening) {
  MakeBox();
  std::string index = ReadFileBytes(Base("in.IND"));
  PutInt32At(index, 43, 17);  // unread
  PutInt32At(index, 47, 1);   // items
  index[51] = 1;
  WriteFileBytes(Base("in.IND"), index);
  {
    TMailBox box(Base("in"));
    EXPECT_EQ(box.Header().ItemCount, 3);
    EXPECT_FALSE(box.Header().CountsPending());
    EXPECT_EQ(box.CheckSeparators(), 0);
    ExpectCountersConsistent(box, 0);
  }
  EXPECT_EQ(ReadFileBytes(Base("in.IND"))[51], 0);
  // Not marked: wrong counters stay as they are and are reported.
  index[51] = 0;
  WriteFileBytes(Base("in.IND"), index);
  TMailBox box(Base("in"));
  EXPECT_EQ(box.Header().ItemCount, 1);
  EXPECT_EQ(box.CheckSeparators(), 1);
}

// An index without a whole header and no data beside it is a creation that broke off:
// opening makes the pair anew. With data beside it nothing is thrown away.
TEST_F(DamagedPair, BrokenOffCreationIsMadeAgain) {
  struct Case {
    std::string index;
    bool dataFile;
  } cases[] = {{"", false}, {"", true}, {"KWB", true}, {std::string(63, 'x'), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.index.size()) + (c.dataFile ? " with an empty data file" : ""));
    platform::FileDelete(Base("in.BOX"));
    WriteFileBytes(Base("in.IND"), c.index);
    if (c.dataFile) WriteFileBytes(Base("in.BOX"), "");
    TMailBox box(Base("in"));
    EXPECT_EQ(FileSize(Base("in.IND")), 64);
    EXPECT_EQ(FileSize(Base("in.BOX")), 0);
    EXPECT_EQ(AddText(box, "first"), 1);
  }
  WriteFileBytes(Base("in.IND"), "");
  WriteFileBytes(Base("in.BOX"), Separator() + "kept");
  EXPECT_THROW(TMailBox box(Base("in")), EFileException);
  EXPECT_EQ(ReadFileBytes(Base("in.BOX")), Separator() + "kept");
}

TEST_F(DamagedPair, RecordsPointingPastTheDataFile) {
  std::vector<std::string> texts = MakeBox();
  std::int64_t dataSize = FileSize(Base("in.BOX"));
  PatchRecord(0, 5, static_cast<std::int32_t>(dataSize + 1000));                   // offset past the end
  PatchRecord(1, 9, std::numeric_limits<std::int32_t>::max());                     // size past the end
  TMailBox box(Base("in"));
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, 3}));  // listed, so they can be seen and deleted
  ExpectReadFails(box, 1);
  ExpectReadFails(box, 2);
  EXPECT_EQ(ReadText(box, 3), texts[2]);
  EXPECT_EQ(box.CheckSeparators(), 2);
  TStringList lines;
  box.ReadLines(2, lines);  // what is there, up to the end of the file
  EXPECT_EQ(lines.front(), "From: someone@example.org");
  // Each item counts with what the file holds of it: nothing of item 1, and item 2 runs
  // to the end of the file over item 3.
  TSpaceInfo info = box.GetSpaceInfo();
  std::int64_t used = static_cast<std::int64_t>(texts[1].size() + 16 + texts[2].size() + texts[2].size());
  EXPECT_EQ(info.Wasted, dataSize - used - 3 * 16);
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(box.CheckSeparators(), 0);
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(ReadText(box, 1), "");                                  // nothing of it was readable
  EXPECT_EQ(ReadText(box, 2), texts[1] + Separator() + texts[2]);   // read to the end of the file
  EXPECT_EQ(ReadText(box, 3), texts[2]);
}

TEST_F(DamagedPair, DamagedItemIsNotMoved) {
  std::vector<std::string> texts = MakeBox();
  PatchRecord(1, 9, static_cast<std::int32_t>(FileSize(Base("in.BOX"))));  // runs past the end
  TMailBox box(Base("in")), trash(Base("trash"));
  try {
    trash.MoveFrom(box, 2);
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Read);
    EXPECT_EQ(e.FileName(), Base("in.BOX"));
  }
  EXPECT_EQ(Ids(box), (std::vector<std::int32_t>{1, 2, 3}));  // the source keeps it
  EXPECT_EQ(Ids(trash), std::vector<std::int32_t>{});
  EXPECT_EQ(FileSize(Base("trash.BOX")), 0);
  EXPECT_EQ(trash.MoveFrom(box, 3), 1);  // a sound item still moves
  EXPECT_EQ(ReadText(trash, 1), texts[2]);
}

TEST_F(DamagedPair, NegativeLocations) {
  std::vector<std::string> texts = MakeBox();
  PatchRecord(0, 5, -40);
  PatchRecord(1, 9, -1);
  TMailBox box(Base("in"));
  ExpectReadFails(box, 1);
  ExpectReadFails(box, 2);
  EXPECT_EQ(box.CheckSeparators(), 2);
  TStringList lines;
  box.ReadLines(1, lines);
  EXPECT_TRUE(lines.empty());
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(2, head));
  EXPECT_EQ(head.Size, 0u);  // no stored size, and no size to show in its place
  EXPECT_TRUE(box.DeleteRecord(2));  // counts nothing negative as wasted
  box.GetSpaceInfo();
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(ReadText(box, 1), "");
  EXPECT_EQ(ReadText(box, 3), texts[2]);
}

TEST_F(DamagedPair, DataFileShorterThanTheIndexClaims) {
  std::vector<std::string> texts = MakeBox();
  std::string data = ReadFileBytes(Base("in.BOX"));
  WriteFileBytes(Base("in.BOX"), data.substr(0, data.size() - 10));
  TMailBox box(Base("in"));
  EXPECT_EQ(ReadText(box, 1), texts[0]);
  EXPECT_EQ(ReadText(box, 2), texts[1]);
  ExpectReadFails(box, 3);
  EXPECT_EQ(box.CheckSeparators(), 1);
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(ReadText(box, 3), texts[2].substr(0, texts[2].size() - 10));
  EXPECT_EQ(box.CheckSeparators(), 0);
}

TEST_F(DamagedPair, WrongSeparatorIsCounted) {
  MakeBox();
  std::string data = ReadFileBytes(Base("in.BOX"));
  data[3] = 'x';
  WriteFileBytes(Base("in.BOX"), data);
  TMailBox box(Base("in"));
  EXPECT_EQ(box.CheckSeparators(), 1);
  box.DeleteRecord(1);
  EXPECT_EQ(box.CheckSeparators(), 0);  // only live records count
}

TEST_F(DamagedPair, IndexWithoutDataFile) {
  MakeBox();
  platform::FileDelete(Base("in.BOX"));
  TMailBox box(Base("in"));
  EXPECT_EQ(Ids(box).size(), 3u);
  TMemoryStream out;
  try {
    box.ReadMessage(1, out, true);
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Open);
  }
  RecordingPrompts prompts;
  EXPECT_THROW(box.Pack(prompts), EFileException);
  EXPECT_EQ(Ids(box).size(), 3u);  // the index is untouched
}

TEST_F(DamagedPair, DataFileWithoutIndexIsKept) {
  WriteFileBytes(Base("in.BOX"), Separator() + "orphaned text");
  TMailBox box(Base("in"));
  EXPECT_EQ(FileSize(Base("in.IND")), 64);
  EXPECT_EQ(ReadFileBytes(Base("in.BOX")), Separator() + "orphaned text");
  std::int32_t id = AddText(box, "new");
  EXPECT_EQ(ReadText(box, id), "new");
  EXPECT_EQ(box.GetSpaceInfo().Wasted, 16 + 13);
}

}  // namespace
}  // namespace store_test
