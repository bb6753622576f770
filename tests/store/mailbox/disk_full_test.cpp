// A full disk, for real: a small memory file system is mounted for the test (natively,
// as root; otherwise the test is skipped and says why). Appends, creation and compaction
// meet the end of the space part of the way and must leave no trace.
#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using DiskFull = SmallDiskTest;

TEST_F(DiskFull, FailedAppendsLeaveNoTraceAndSucceedOnceThereIsRoom) {
  std::string base = small_ + "in";
  WriteFileBytes(small_ + "reserve", std::string(64 * 1024, 'r'));
  TMailBox box(base);
  std::string text = MessageText("big", std::string(20000, 'x'));
  int stored = 0;
  for (;;) {
    std::string index = ReadFileBytes(base + ".IND"), data = ReadFileBytes(base + ".BOX");
    try {
      AddText(box, text);
      ++stored;
    } catch (const EFileException& e) {
      EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Write);
      EXPECT_EQ(ReadFileBytes(base + ".IND"), index);
      EXPECT_EQ(ReadFileBytes(base + ".BOX"), data);
      break;
    }
    ASSERT_LT(stored, 20) << "the file system never filled";
  }
  ASSERT_GT(stored, 0);
  EXPECT_THROW(AddText(box, text), EFileException);  // still full: the retry fails too
  // Room again: the retry stores the message once, after the others.
  ASSERT_TRUE(platform::FileDelete(small_ + "reserve"));
  EXPECT_EQ(AddText(box, text), stored + 1);
  std::vector<std::int32_t> ids;
  box.ListIds(ids);
  EXPECT_EQ(static_cast<int>(ids.size()), stored + 1);
  for (std::int32_t id : ids) EXPECT_EQ(ReadText(box, id), text);
  EXPECT_EQ(box.CheckSeparators(), 0);
  ExpectCountersConsistent(box, 64);
}

TEST_F(DiskFull, FailedCreateLeavesNothingAndCreatesLater) {
  Fill("filler");
  try {
    TMailBox box(small_ + "new");
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Create);
  }
  EXPECT_FALSE(platform::FileExists(small_ + "new.IND"));
  EXPECT_FALSE(platform::FileExists(small_ + "new.BOX"));
  ASSERT_TRUE(platform::FileDelete(small_ + "filler"));
  TMailBox box(small_ + "new");
  EXPECT_EQ(AddText(box, "first"), 1);
  EXPECT_EQ(box.CheckSeparators(), 0);
}

TEST_F(DiskFull, CompactionWithoutRoomAsksAndChangesNothing) {
  std::string base = small_ + "in";
  TMailBox box(base);
  for (int i = 0; i < 4; ++i) AddText(box, MessageText("m", std::string(10000, 'y')));
  box.DeleteRecord(2);
  Fill("filler");
  std::string index = ReadFileBytes(base + ".IND"), data = ReadFileBytes(base + ".BOX");
  RecordingPrompts prompts;
  EXPECT_FALSE(box.Pack(prompts));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0], "硬盘空间不够！请清理您的硬盘，再继续运行本程序。");
  EXPECT_EQ(ReadFileBytes(base + ".IND"), index);
  EXPECT_EQ(ReadFileBytes(base + ".BOX"), data);
  // The check passes when the estimate fits but the writing still runs out of room:
  // the pair stays as it was and no compaction file is left.
  TPackFileOps ops = TPackFileOps::Platform();
  ops.FreeSpace = [](const std::string&) { return std::int64_t{-1}; };
  box.SetPackFileOps(ops);
  EXPECT_THROW(box.Pack(prompts), EFileException);
  EXPECT_EQ(ReadFileBytes(base + ".IND"), index);
  EXPECT_EQ(ReadFileBytes(base + ".BOX"), data);
  for (const char* ending : {".BO#", ".IN#", ".IN$"}) EXPECT_FALSE(platform::FileExists(base + ending));
}

}  // namespace
}  // namespace store_test
