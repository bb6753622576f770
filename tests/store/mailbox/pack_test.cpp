// Compaction: the packed pair, the disk-space check, and what happens when putting the
// compacted files in place fails part of the way.
#include <map>

#include "platform/file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

class Pack : public ScratchTest {
 protected:
  // A mailbox of ten messages with ids 2, 4, 6, 8, 10 deleted.
  void MakeBox() {
    TMailBox box(Base("in"));
    for (int i = 1; i <= 10; ++i) AddText(box, MessageText("m" + std::to_string(i), std::string(static_cast<size_t>(i * 10), 'b')), i % 3 == 0);
    for (int id = 2; id <= 10; id += 2) ASSERT_TRUE(box.DeleteRecord(id));
  }

  void ExpectPacked(TMailBox& box) {
    EXPECT_EQ(box.CheckSeparators(), 0);
    box.ReadHeader();
    EXPECT_EQ(box.Header().WastedBytes, 0);
    EXPECT_EQ(box.Header().TotalBytes, FileSize(Base("in.BOX")));
    EXPECT_EQ(box.Header().LastId, 10);
    EXPECT_EQ(FileSize(Base("in.IND")), 64 + 5 * 176);
    std::vector<std::int32_t> ids;
    box.ListIds(ids);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 3, 5, 7, 9}));
    for (std::int32_t id : ids)
      EXPECT_EQ(ReadText(box, id), MessageText("m" + std::to_string(id), std::string(static_cast<size_t>(id * 10), 'b')));
    ExpectCountersConsistent(box, 0);
  }

  // File operations that fail on request and remember what they were asked.
  struct ScriptedOps {
    int renameFailures = 0, copyFailures = 0;        // how many calls fail (-1: all)
    std::string failCopyTo, failDelete;               // only for this target, when set
    std::string loseSourceEnding;                     // a source with this ending vanishes when copied
    std::vector<std::string> renamed, copied;         // sources
    std::int64_t freeSpace = -1;

    TPackFileOps Ops() {
      TPackFileOps ops = TPackFileOps::Platform();
      ops.FreeSpace = [this](const std::string&) { return freeSpace; };
      ops.Rename = [this](const std::string& from, const std::string& to) {
        renamed.push_back(from);
        if (renameFailures != 0) {
          if (renameFailures > 0) --renameFailures;
          return false;
        }
        return platform::FileRename(from, to);
      };
      ops.Copy = [this](const std::string& from, const std::string& to) {
        copied.push_back(from);
        if (!loseSourceEnding.empty() && from.size() >= loseSourceEnding.size() &&
            from.compare(from.size() - loseSourceEnding.size(), std::string::npos, loseSourceEnding) == 0)
          platform::FileDelete(from);
        bool targeted = failCopyTo.empty() || to == failCopyTo;
        if (copyFailures != 0 && targeted) {
          if (copyFailures > 0) --copyFailures;
          WriteFileBytes(to, "partial");  // a copy that broke off
          return false;
        }
        return platform::FileCopy(from, to);
      };
      ops.Delete = [this](const std::string& path) {
        if (path == failDelete) return false;
        return platform::FileDelete(path);
      };
      return ops;
    }
  };
};

TEST_F(Pack, DropsDeletedItemsAndKeepsIds) {
  MakeBox();
  TMailBox box(Base("in"));
  std::int64_t estimate = box.EstimatedPackedSize();
  RecordingPrompts prompts;
  ScriptedOps script;
  box.SetPackFileOps(script.Ops());
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_TRUE(prompts.shown.empty());
  ExpectPacked(box);
  // The estimate counts the whole old index, so it is high by the dropped records.
  EXPECT_EQ(FileSize(Base("in.IND")) + FileSize(Base("in.BOX")), estimate - 5 * 176);
  // The index was copied and the data file moved; the temporary pair is gone, and it was
  // named after a "KWB" temporary file.
  ASSERT_EQ(script.copied.size(), 1u);
  ASSERT_EQ(script.renamed.size(), 1u);
  std::string temporaries[] = {script.copied[0], script.renamed[0]};
  for (const std::string& temporary : temporaries) {
    EXPECT_FALSE(platform::FileExists(temporary)) << temporary;
    EXPECT_NE(temporary.find("KWB"), std::string::npos);
    EXPECT_EQ(temporary.find(platform::TempFolder()), 0u);
    EXPECT_FALSE(platform::FileExists(temporary.substr(0, temporary.size() - 4) + ".tmp"));
  }
  EXPECT_EQ(temporaries[0].substr(temporaries[0].size() - 4), ".IND");
  EXPECT_EQ(temporaries[1].substr(temporaries[1].size() - 4), ".BOX");
  // New items go after the packed ones.
  EXPECT_EQ(AddText(box, "after"), 11);
  EXPECT_EQ(box.CheckSeparators(), 0);
}

TEST_F(Pack, EmptyAndFullyDeletedPairs) {
  RecordingPrompts prompts;
  TMailBox empty(Base("empty"));
  ASSERT_TRUE(empty.Pack(prompts));
  EXPECT_EQ(FileSize(Base("empty.IND")), 64);
  EXPECT_EQ(FileSize(Base("empty.BOX")), 0);
  empty.ReadHeader();
  EXPECT_EQ(empty.Header().TotalBytes, 0);

  TMailBox box(Base("in"));
  AddText(box, "a");
  AddText(box, "b");
  box.DeleteAll();
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(FileSize(Base("in.BOX")), 0);
  EXPECT_EQ(FileSize(Base("in.IND")), 64);
  EXPECT_EQ(AddText(box, "c"), 3);
}

TEST_F(Pack, ShortageOfDiskSpaceChangesNothing) {
  MakeBox();
  std::string index = ReadFileBytes(Base("in.IND")), data = ReadFileBytes(Base("in.BOX"));
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.freeSpace = box.EstimatedPackedSize() - 1;
  box.SetPackFileOps(script.Ops());
  EXPECT_FALSE(box.Pack(prompts));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0], "硬盘空间不够！请清理您的硬盘，再继续运行本程序。");
  EXPECT_EQ(ReadFileBytes(Base("in.IND")), index);
  EXPECT_EQ(ReadFileBytes(Base("in.BOX")), data);
  script.freeSpace = box.EstimatedPackedSize();  // exactly enough
  box.SetPackFileOps(script.Ops());
  EXPECT_TRUE(box.Pack(prompts));
  EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(Pack, CopiesWhenTheTemporaryFolderIsOnAnotherDrive) {
  MakeBox();
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.renameFailures = -1;
  box.SetPackFileOps(script.Ops());
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(script.copied.size(), 2u);
  for (const std::string& temporary : script.copied) EXPECT_FALSE(platform::FileExists(temporary));
  ExpectPacked(box);
}

TEST_F(Pack, FailedCopyIsPutInPlaceOnTheNextAttempt) {
  MakeBox();
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.renameFailures = -1;
  script.copyFailures = 1;
  script.failCopyTo = Base("in.BOX");
  box.SetPackFileOps(script.Ops());
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(script.copied.size(), 3u);  // index, data (broken off), data again
  ExpectPacked(box);
}

TEST_F(Pack, TemporaryFilesAreKeptAndNamedWhenNothingPutsThemInPlace) {
  MakeBox();
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.renameFailures = -1;
  script.copyFailures = -1;
  script.failCopyTo = Base("in.BOX");
  box.SetPackFileOps(script.Ops());
  std::string message;
  try {
    box.Pack(prompts);
    FAIL() << "no exception";
  } catch (const EIdxFileError& e) {
    message = e.Message();
  }
  ASSERT_GE(script.copied.size(), 2u);
  std::string keptIndex = script.copied[0];
  std::string keptData = script.copied[1];
  EXPECT_NE(message.find(keptIndex), std::string::npos) << message;
  EXPECT_NE(message.find(keptData), std::string::npos) << message;
  ASSERT_TRUE(platform::FileExists(keptIndex));
  ASSERT_TRUE(platform::FileExists(keptData));
  // The index was put in place; the kept data file completes it.
  ASSERT_TRUE(platform::FileCopy(keptData, Base("in.BOX")));
  ExpectPacked(box);
  // The kept pair is itself a sound pair.
  std::string keptBase = keptIndex.substr(0, keptIndex.size() - 4);
  {
    TMailBox kept(keptBase);
    EXPECT_EQ(kept.CheckSeparators(), 0);
  }
  platform::FileDelete(keptIndex);
  platform::FileDelete(keptData);
  platform::FileDelete(keptBase + ".tmp");
}

TEST_F(Pack, TemporaryFileThatCannotBeOpenedIsNamed) {
  MakeBox();
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.renameFailures = -1;
  script.loseSourceEnding = ".BOX";
  box.SetPackFileOps(script.Ops());
  try {
    box.Pack(prompts);
    FAIL() << "no exception";
  } catch (const EIdxFileError& e) {
    ASSERT_GE(script.copied.size(), 2u);
    EXPECT_EQ(e.Message(), "Can not open file: " + script.copied[1]);
  }
  // The index that was put in place is kept beside the message's name.
  EXPECT_TRUE(platform::FileExists(script.copied[0]));
  platform::FileDelete(script.copied[0]);
  platform::FileDelete(script.copied[0].substr(0, script.copied[0].size() - 4) + ".tmp");
}

TEST_F(Pack, DataFileThatCannotBeRemovedLeavesThePairAsItWas) {
  MakeBox();
  std::string index = ReadFileBytes(Base("in.IND")), data = ReadFileBytes(Base("in.BOX"));
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.failDelete = Base("in.BOX");
  box.SetPackFileOps(script.Ops());
  try {
    box.Pack(prompts);
    FAIL() << "no exception";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::kDelete);
    EXPECT_EQ(e.FileName(), Base("in.BOX"));
  }
  EXPECT_EQ(ReadFileBytes(Base("in.IND")), index);
  EXPECT_EQ(ReadFileBytes(Base("in.BOX")), data);
  EXPECT_TRUE(script.renamed.empty());
  EXPECT_TRUE(script.copied.empty());
}

TEST_F(Pack, IndexThatCannotBeRemovedIsReplaced) {
  MakeBox();
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.failDelete = Base("in.IND");
  box.SetPackFileOps(script.Ops());
  ASSERT_TRUE(box.Pack(prompts));
  ExpectPacked(box);
}

TEST_F(Pack, EncryptedPairIsRefused) {
  MakeBox();
  TMailBox box(Base("in"));
  box.SetEncrypted(true);
  RecordingPrompts prompts;
  EXPECT_THROW(box.Pack(prompts), EOperateOnEncrypted);
}

TEST_F(Pack, UnindexedBytesOfAFailedAppendAreRemoved) {
  TMailBox box(Base("in"));
  AddText(box, "kept");
  box.BeginAppend();
  AppendFileBytes(Base("in.BOX"), "half a mess");
  box.CancelAppend();
  AddText(box, "also kept");
  EXPECT_EQ(box.GetSpaceInfo().Wasted, 16 + 11);
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  EXPECT_EQ(box.GetSpaceInfo().Wasted, 0);
  EXPECT_EQ(FileSize(Base("in.BOX")), 16 + 4 + 16 + 9);
  EXPECT_EQ(ReadText(box, 2), "also kept");
}

}  // namespace
}  // namespace store_test
