// Compaction: the packed pair, the disk-space check, and what happens when putting the
// compacted files in place fails part of the way.
#include <map>

#include "platform/file.h"
#include "quillet/store/mailbox/detail/file_guard.h"
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
    std::string failRenameTo, failFlushOf;            // the step that fails, when set
    std::vector<std::pair<std::string, std::string>> renamed;
    std::vector<std::string> flushed;
    std::int64_t freeSpace = -1;
    std::string spaceAskedFor;

    TPackFileOps Ops() {
      TPackFileOps ops = TPackFileOps::Platform();
      ops.FreeSpace = [this](const std::string& path) {
        spaceAskedFor = path;
        return freeSpace;
      };
      ops.Flush = [this](TFileGuard& file) {
        flushed.push_back(file.Path());
        if (file.Path() == failFlushOf) throw EFileException(EFileException::Kind::Write, file.Path());
        file.Flush();
      };
      ops.Rename = [this](const std::string& from, const std::string& to) {
        renamed.emplace_back(from, to);
        return to != failRenameTo && platform::FileRename(from, to);
      };
      return ops;
    }
  };

  // No file of a compaction is left beside the pair.
  void ExpectNoPackFiles() {
    for (const char* ending : {".BO#", ".IN#", ".IN$"}) EXPECT_FALSE(platform::FileExists(Base("in") + ending)) << ending;
  }
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
  // Both new files were flushed, data first, and renamed in the committing order, all
  // beside the pair; the free space was asked for in the pair's folder.
  EXPECT_EQ(script.flushed, (std::vector<std::string>{Base("in.BO#"), Base("in.IN$")}));
  using Step = std::pair<std::string, std::string>;
  EXPECT_EQ(script.renamed, (std::vector<Step>{{Base("in.IN$"), Base("in.IN#")},
                                               {Base("in.BO#"), Base("in.BOX")},
                                               {Base("in.IN#"), Base("in.IND")}}));
  EXPECT_EQ(script.spaceAskedFor.substr(0, Folder().size()), Folder());
  ExpectNoPackFiles();
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
  ExpectNoPackFiles();
  script.freeSpace = box.EstimatedPackedSize();  // exactly enough
  box.SetPackFileOps(script.Ops());
  EXPECT_TRUE(box.Pack(prompts));
  EXPECT_EQ(prompts.shown.size(), 1u);
}

// Every step before the commit: the pair stays as it was and the new files are removed.
TEST_F(Pack, FailureBeforeTheCommitLeavesThePairAsItWas) {
  struct Case {
    const char* failRenameTo;
    const char* failFlushOf;
    const char* message;  // empty: EFileException kind write
  } cases[] = {
      {"", "in.BO#", ""},
      {"", "in.IN$", ""},
      {"in.IN#", "", "Can not put the packed files in place of @B; the data is kept in @B.IND and @B.BOX"},
      {"in.BOX", "", "Can not put the packed files in place of @B; the data is kept in @B.IND and @B.BOX"},
  };
  MakeBox();
  std::string index = ReadFileBytes(Base("in.IND")), data = ReadFileBytes(Base("in.BOX"));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.failRenameTo) + c.failFlushOf);
    TMailBox box(Base("in"));
    RecordingPrompts prompts;
    ScriptedOps script;
    if (*c.failRenameTo) script.failRenameTo = Base(c.failRenameTo);
    if (*c.failFlushOf) script.failFlushOf = Base(c.failFlushOf);
    box.SetPackFileOps(script.Ops());
    std::string expected = c.message;
    for (std::size_t at; (at = expected.find("@B")) != std::string::npos;) expected.replace(at, 2, Base("in"));
    try {
      box.Pack(prompts);
      ADD_FAILURE() << "no exception";
    } catch (const EIdxFileError& e) {
      EXPECT_EQ(e.Message(), expected);
    } catch (const EFileException& e) {
      EXPECT_TRUE(expected.empty()) << e.Message();
      EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Write);
      EXPECT_EQ(e.FileName(), Base(c.failFlushOf));
    }
    EXPECT_EQ(ReadFileBytes(Base("in.IND")), index);
    EXPECT_EQ(ReadFileBytes(Base("in.BOX")), data);
    ExpectNoPackFiles();
  }
}

// The data file is in place, its index is not: the error names the two files that hold
// the data, and the next use of the pair finishes the commit.
TEST_F(Pack, IndexThatCannotBePutInPlaceIsFinishedOnTheNextUse) {
  MakeBox();
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ScriptedOps script;
  script.failRenameTo = Base("in.IND");
  box.SetPackFileOps(script.Ops());
  try {
    box.Pack(prompts);
    FAIL() << "no exception";
  } catch (const EIdxFileError& e) {
    EXPECT_EQ(e.Message(), "Can not put the packed files in place of " + Base("in") + "; the data is kept in " +
                               Base("in.BOX") + " and " + Base("in.IN#"));
  }
  EXPECT_TRUE(platform::FileExists(Base("in.IN#")));
  ExpectPacked(box);  // its first read finishes
  ExpectNoPackFiles();
}

// While the index cannot be put in place, the pair refuses to be used (its old index
// does not fit the new data file) and says why, on opening and on every operation.
TEST_F(Pack, UnfinishedCommitThatCannotBeFinishedIsRefused) {
  MakeBox();
  {
    TMailBox box(Base("in"));
    RecordingPrompts prompts;
    ScriptedOps script;
    script.failRenameTo = Base("in.IND");
    box.SetPackFileOps(script.Ops());
    EXPECT_THROW(box.Pack(prompts), EIdxFileError);
    FileFaults faults(FileFaults::AllOf(platform::FileChange::Rename));
    EXPECT_THROW(TMailBox again(Base("in")), EIdxFileError);
    std::vector<std::int32_t> ids;
    EXPECT_THROW(box.ListIds(ids), EIdxFileError);
  }
  TMailBox box(Base("in"));
  ExpectPacked(box);
}

// What a compaction stopped at any instant leaves is settled when the pair is opened.
TEST_F(Pack, StoppedCompactionIsSettledOnOpening) {
  struct Case {
    const char* name;
    std::vector<const char*> present;  // new files left; "BOX" = the new data already in place
    bool packed;                       // the compacted pair is what remains
  } cases[] = {
      {"index being written", {".BO#", ".IN$"}, false},
      {"data being written", {".BO#"}, false},
      {"both written, nothing renamed", {".BO#", ".IN#"}, false},
      {"data in place", {"BOX", ".IN#"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeBox();
    std::string oldIndex = ReadFileBytes(Base("in.IND")), oldData = ReadFileBytes(Base("in.BOX"));
    {
      TMailBox box(Base("in"));
      RecordingPrompts prompts;
      ASSERT_TRUE(box.Pack(prompts));
    }
    std::string newIndex = ReadFileBytes(Base("in.IND")), newData = ReadFileBytes(Base("in.BOX"));
    WriteFileBytes(Base("in.IND"), oldIndex);
    WriteFileBytes(Base("in.BOX"), oldData);
    for (const char* file : c.present) {
      std::string name = file;
      if (name == "BOX") WriteFileBytes(Base("in.BOX"), newData);
      if (name == ".BO#") WriteFileBytes(Base("in.BO#"), newData);
      if (name == ".IN#") WriteFileBytes(Base("in.IN#"), newIndex);
      if (name == ".IN$") WriteFileBytes(Base("in.IN$"), newIndex.substr(0, 100));
    }
    TMailBox box(Base("in"));
    ExpectNoPackFiles();
    EXPECT_EQ(ReadFileBytes(Base("in.IND")), c.packed ? newIndex : oldIndex);
    EXPECT_EQ(ReadFileBytes(Base("in.BOX")), c.packed ? newData : oldData);
    EXPECT_EQ(box.CheckSeparators(), 0);
    platform::FileDelete(Base("in.IND"));
    platform::FileDelete(Base("in.BOX"));
  }
}

// Counters that a crash left wrong are worked out from the live records, and LastId
// covers every id the dropped records used.
TEST_F(Pack, RecountsCountersAndKeepsEveryIdUsed) {
  MakeBox();
  {
    TMailBox box(Base("in"));
    box.ReadHeader();
    TIdxHeader header = box.Header();
    header.UnreadCount = 40;
    header.ItemCount = -3;
    header.LastId = 4;  // behind the records' ids
    box.WriteHeader(header);
    EXPECT_EQ(box.CheckSeparators(), 1);
  }
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  ASSERT_TRUE(box.Pack(prompts));
  ExpectPacked(box);
  EXPECT_EQ(box.Header().UnreadCount, 2);  // messages 3 and 9
  EXPECT_EQ(box.Header().ItemCount, 5);
  EXPECT_EQ(AddText(box, "after"), 11);
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

// A compaction on a pair whose new files cannot be made (a full disk) changes nothing.
TEST_F(Pack, NewFilesThatCannotBeWrittenChangeNothing) {
  MakeBox();
  std::string index = ReadFileBytes(Base("in.IND")), data = ReadFileBytes(Base("in.BOX"));
  TMailBox box(Base("in"));
  RecordingPrompts prompts;
  for (platform::FileChange kind : {platform::FileChange::Create, platform::FileChange::Write}) {
    FileFaults faults(FileFaults::AllOf(kind));
    EXPECT_THROW(box.Pack(prompts), EFileException);
  }
  EXPECT_EQ(ReadFileBytes(Base("in.IND")), index);
  EXPECT_EQ(ReadFileBytes(Base("in.BOX")), data);
  ExpectNoPackFiles();
}

}  // namespace
}  // namespace store_test
