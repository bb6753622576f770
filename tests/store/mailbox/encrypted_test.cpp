// An encrypted pair: its data lives in ".BO~"; nothing is appended to it or read from it,
// while its index stays usable.
#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

class Encrypted : public ScratchTest {
 protected:
  // A mailbox with two messages whose data file was "enciphered" into ".BO~".
  void MakeEncrypted() {
    TMailBox box(Base("in"));
    AddText(box, MessageText("one"));
    AddText(box, MessageText("two"));
    ASSERT_TRUE(platform::FileCopy(Base("in.BOX"), Base("in.BO~")));
    AppendFileBytes(Base("in.BO~"), "cipher padding");
    box.SetEncrypted(true);
    ASSERT_TRUE(platform::FileDelete(Base("in.BOX")));
  }
};

TEST_F(Encrypted, FlagIsByte17AndNotifies) {
  TMailBox box(Base("in"));
  int notified = 0;
  SetChangeNotifier([&](TIdxFile&) { ++notified; });
  EXPECT_FALSE(box.IsEncrypted());
  box.SetEncrypted(true);
  EXPECT_TRUE(box.IsEncrypted());
  EXPECT_EQ(ReadFileBytes(Base("in.IND"))[17], 1);
  box.SetEncrypted(false);
  EXPECT_FALSE(box.IsEncrypted());
  EXPECT_EQ(ReadFileBytes(Base("in.IND"))[17], 0);
  EXPECT_EQ(notified, 2);
  TIdxFile plain(Base("book"));
  plain.SetEncrypted(true);
  EXPECT_EQ(notified, 2);  // pairs without counters do not notify
}

TEST_F(Encrypted, AppendsAndReadsAreRefused) {
  MakeEncrypted();
  TMailBox box(Base("in"));
  try {
    AddText(box, "more");
    FAIL() << "no exception";
  } catch (const EOperateOnEncrypted& e) {
    EXPECT_EQ(e.Message(), "Error: Operate on encrypted data");
  }
  TMemoryStream out;
  EXPECT_THROW(box.ReadMessage(1, out, true), EOperateOnEncrypted);
  EXPECT_THROW(box.BeginAppend(), EOperateOnEncrypted);
  TIdxRecord record;
  ASSERT_TRUE(box.FindRecord(1, record));
  TMemoryStream text("x");
  EXPECT_THROW(box.ReplaceMessage(record, text), EOperateOnEncrypted);
  TStringList lines;
  EXPECT_THROW(box.ReadLines(1, lines), EOperateOnEncrypted);
  EXPECT_THROW(box.CheckSeparators(), EOperateOnEncrypted);
  EXPECT_FALSE(platform::FileExists(Base("in.BOX")));  // nothing created on the way
}

TEST_F(Encrypted, MovesIntoOrOutOfAnEncryptedPairAreRefused) {
  MakeEncrypted();
  TMailBox box(Base("in")), other(Base("other"));
  std::int32_t id = AddText(other, "plain");
  EXPECT_THROW(box.MoveFrom(other, id), EOperateOnEncrypted);
  EXPECT_EQ(ReadText(other, id), "plain");  // the source keeps it
  EXPECT_THROW(other.MoveFrom(box, 1), EOperateOnEncrypted);
  TMailHead head;
  EXPECT_TRUE(box.ReadHead(1, head));
}

TEST_F(Encrypted, IndexStaysUsableAndSizesMeasureTheCipherFile) {
  MakeEncrypted();
  TMailBox box(Base("in"));
  THeadList heads;
  box.LoadHeads(heads);
  ASSERT_EQ(heads.Count(), 2);
  heads[0].Unread = 0;
  box.WriteHead(heads[0]);
  EXPECT_TRUE(box.DeleteRecord(2));
  TSpaceInfo info = box.GetSpaceInfo();
  EXPECT_EQ(info.DataFileSize, FileSize(Base("in.BO~")));
  EXPECT_EQ(info.LiveCount, 1);
  box.SetEncrypted(false);
  ASSERT_TRUE(platform::FileCopy(Base("in.BO~"), Base("in.BOX")));
  EXPECT_EQ(ReadText(box, 1), MessageText("one"));
  EXPECT_EQ(AddText(box, "after"), 3);
}

}  // namespace
}  // namespace store_test
