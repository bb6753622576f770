// Streamed appends: the composer writes a text straight into the data file between
// BeginAppend and StoreStreamed (or gives up with CancelAppend).
#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using StreamedAppend = ScratchTest;

TEST_F(StreamedAppend, NewMessage) {
  TMailBox box(Base("out"));
  AddText(box, "first");
  std::string path = box.BeginAppend();
  EXPECT_EQ(path, Base("out.BOX"));
  EXPECT_EQ(FileSize(path), 16 + 5 + 16);  // the separator is already there
  AppendFileBytes(path, MessageText("composed"));
  TMailHead head = Head("To someone", "composed", false);
  head.State = 2;
  box.StoreStreamed(head);
  EXPECT_EQ(head.Id, 2);
  EXPECT_EQ(ReadText(box, 2), MessageText("composed"));
  TMailHead back;
  ASSERT_TRUE(box.ReadHead(2, back));
  EXPECT_EQ(back.State, 2);
  EXPECT_EQ(back.Subject, "composed");
  EXPECT_EQ(box.CheckSeparators(), 0);
  ExpectCountersConsistent(box, 64);
}

TEST_F(StreamedAppend, SupersedesAStoredMessage) {
  TMailBox box(Base("out"));
  std::int32_t id = AddText(box, "draft", true);
  box.BeginAppend();
  AppendFileBytes(Base("out.BOX"), "final text");
  TMailHead head = Head("To", "final", false);
  head.Id = id;
  box.StoreStreamed(head);
  EXPECT_EQ(head.Id, id);
  EXPECT_EQ(ReadText(box, id), "final text");
  std::vector<std::int32_t> ids;
  box.ListIds(ids);
  EXPECT_EQ(ids, std::vector<std::int32_t>{id});
  ExpectCountersConsistent(box, 64);
  EXPECT_EQ(box.Header().WastedBytes, 5 + 16);
  EXPECT_EQ(box.Header().UnreadCount, 0);
}

TEST_F(StreamedAppend, SupersedingAMissingMessageFails) {
  TMailBox box(Base("out"));
  box.BeginAppend();
  AppendFileBytes(Base("out.BOX"), "text");
  TMailHead head = Head("To", "s");
  head.Id = 7;
  EXPECT_THROW(box.StoreStreamed(head), EIdxFileError);
  // A failed append leaves no trace: the text and its separator are gone again.
  EXPECT_EQ(box.GetSpaceInfo().Wasted, 0);
  EXPECT_EQ(FileSize(Base("out.BOX")), 0);
}

TEST_F(StreamedAppend, CancelLeavesUnindexedSpace) {
  TMailBox box(Base("out"));
  box.BeginAppend();
  AppendFileBytes(Base("out.BOX"), "partial");
  box.CancelAppend();
  std::vector<std::int32_t> ids;
  box.ListIds(ids);
  EXPECT_TRUE(ids.empty());
  EXPECT_EQ(box.GetSpaceInfo().Wasted, 16 + 7);
  EXPECT_EQ(box.CheckSeparators(), 0);
  TMailHead head = Head("To", "s");
  EXPECT_THROW(box.StoreStreamed(head), EIdxFileError);  // no append in progress
  EXPECT_EQ(AddText(box, "next"), 1);
  EXPECT_EQ(ReadText(box, 1), "next");
}

TEST_F(StreamedAppend, EmptyText) {
  TMailBox box(Base("out"));
  box.BeginAppend();
  TMailHead head = Head("To", "empty");
  box.StoreStreamed(head);
  EXPECT_EQ(ReadText(box, head.Id), "");
  ExpectCountersConsistent(box, 64);
}

}  // namespace
}  // namespace store_test
