// Crash points: every store operation is run once per file-changing call it makes, and
// run N stops at call N.
//
// - Killed: call N fails (a failing write is torn: half of it reaches the disk) and so
//   does every later one. What is on the disk is then exactly what a process killed at
//   that instant leaves: the operation's own clean-up still runs, but it cannot change
//   the disk any more than the clean-up of a killed process, which never runs. The pair
//   is then opened again with the disk working, as the next start of the program opens
//   it, and must hold the old or the new contents (a move may hold the message in both
//   pairs), check clean and keep nothing in a compaction's files.
// - Failed: only call N fails (a full disk that the clean-up finds free again). The
//   operation must either succeed or report the failure and leave the contents as they
//   were; appends, edits, deletes and creations leave the files byte for byte as before.
#include <functional>
#include <map>
#include <set>

#include "platform/file.h"
#include "platform/unique_file.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

// A pair's live messages: id -> (text, unread).
using Contents = std::map<std::int32_t, std::pair<std::string, int>>;

enum class Fault { Killed, Failed };

struct Operation {
  const char* name;
  std::function<void(const std::string& in, const std::string& out)> run;
  // The contents of "in" and "out" once the operation is complete.
  std::function<void(Contents& in, Contents& out)> change;
  bool bytesKeptOnFailure;  // a failed run leaves both pairs' files as they were
  bool bothPairsAllowed;    // stopped half-way it may hold the moved message in both pairs
  // The file call that is the caller's own writing of a streamed text (after BeginAppend's
  // separator): when it fails the caller cancels, which leaves the bytes as unindexed
  // space by design. 0: none.
  int callersOwnCall = 0;
};

void WriteStreamed(TMailBox& box, const std::string& text, std::int32_t id) {
  std::string path = box.BeginAppend();
  platform::UniqueFile file(platform::FileOpen(path, platform::FileAccess::ReadWrite));
  bool written = file.IsOpen() && platform::FileSeek(file.Get(), 0, platform::SeekOrigin::End) >= 0 &&
                 platform::FileWrite(file.Get(), text.data(), static_cast<std::int32_t>(text.size())) ==
                     static_cast<std::int32_t>(text.size()) &&
                 file.Close();
  if (!written) {
    box.CancelAppend();
    throw EFileException(EFileException::Kind::Write, path);
  }
  TMailHead head = Head("to", "streamed", false);
  head.Id = id;
  box.StoreStreamed(head);
}

const std::string k_newText = MessageText("new", std::string(3000, 'n'));

std::vector<Operation> Operations() {
  return {
      {"append", [](const std::string& in, const std::string&) { TMailBox box(in); AddText(box, k_newText); },
       [](Contents& in, Contents&) { in[6] = {k_newText, 1}; }, true, false},
      {"streamed append",
       [](const std::string& in, const std::string&) { TMailBox box(in); WriteStreamed(box, k_newText, -1); },
       [](Contents& in, Contents&) { in[6] = {k_newText, 0}; }, true, false, 2},
      {"streamed replacement",
       [](const std::string& in, const std::string&) { TMailBox box(in); WriteStreamed(box, k_newText, 4); },
       [](Contents& in, Contents&) { in[4] = {k_newText, 0}; }, true, false, 2},
      {"move",
       [](const std::string& in, const std::string& out) {
         TMailBox source(in), target(out);
         target.MoveFrom(source, 3);
       },
       [](Contents& in, Contents& out) {
         out[2] = in[3];
         in.erase(3);
       },
       false, true},
      {"mark read",
       [](const std::string& in, const std::string&) {
         TMailBox box(in);
         TMailHead head;
         ASSERT_TRUE(box.ReadHead(1, head));
         head.Unread = 0;
         box.WriteHead(head);
       },
       [](Contents& in, Contents&) { in[1].second = 0; }, true, false},
      {"delete", [](const std::string& in, const std::string&) { TMailBox box(in); box.DeleteRecord(4); },
       [](Contents& in, Contents&) { in.erase(4); }, true, false},
      {"pack",
       [](const std::string& in, const std::string&) {
         TMailBox box(in);
         RecordingPrompts prompts;
         box.Pack(prompts);
       },
       [](Contents&, Contents&) {}, false, false},
  };
}

class CrashPoints : public ScratchTest {
 protected:
  // "in": 1 unread, 2 deleted, 3 read, 4 and 5 unread; "out": 1. Kept as bytes, so
  // that every run starts from the same files.
  void SetUp() override {
    ScratchTest::SetUp();
    {
      TMailBox in(Base("in")), out(Base("out"));
      for (int i = 1; i <= 5; ++i) AddText(in, MessageText("m" + std::to_string(i), std::string(500u * i, 'b')), i != 3);
      in.DeleteRecord(2);
      AddText(out, MessageText("o1"));
    }
    for (const char* file : k_files) original_[file] = ReadFileBytes(Base(file));
  }

  void Restore() {
    for (const auto& [file, bytes] : original_) WriteFileBytes(Base(file), bytes);
    for (const char* leftover : {"in.BO#", "in.IN#", "in.IN$"}) platform::FileDelete(Base(leftover));
  }

  std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (const char* file : k_files) files[file] = ReadFileBytes(Base(file));
    return files;
  }

  // Opens the pair as the next start would, checks it and returns its contents.
  Contents Reopened(const std::string& name) {
    TMailBox box(Base(name));
    EXPECT_EQ(box.CheckSeparators(), 0) << name;
    std::vector<std::int32_t> ids;
    box.ListIds(ids);
    EXPECT_EQ(std::set<std::int32_t>(ids.begin(), ids.end()).size(), ids.size()) << "an id live twice";
    Contents contents;
    for (std::int32_t id : ids) {
      TMailHead head;
      EXPECT_TRUE(box.ReadHead(id, head));
      contents[id] = {ReadText(box, id), head.Unread};
    }
    for (const char* ending : {".BO#", ".IN#", ".IN$"}) EXPECT_FALSE(platform::FileExists(Base(name) + ending));
    return contents;
  }

  void RunAtEveryCall(const Operation& op, Fault fault) {
    SCOPED_TRACE(op.name);
    Restore();
    Contents oldIn = Reopened("in"), oldOut = Reopened("out");
    Contents newIn = oldIn, newOut = oldOut;
    op.change(newIn, newOut);
    int calls = 0;
    {
      Restore();
      FileFaults counter;
      op.run(Base("in"), Base("out"));
      calls = counter.Calls();
    }
    ASSERT_GT(calls, 0);
    for (int n = 1; n <= calls + 1; ++n) {
      SCOPED_TRACE("stopped at file call " + std::to_string(n) + " of " + std::to_string(calls));
      Restore();
      std::map<std::string, std::string> before = Files();
      bool completed = false;
      {
        FileFaults faults(fault == Fault::Killed ? FileFaults::FromCall(n) : FileFaults::OnlyCall(n));
        try {
          op.run(Base("in"), Base("out"));
          completed = true;
        } catch (const Exception&) {
        }
      }
      if (n > calls) {
        EXPECT_TRUE(completed);
      }
      bool failedWithoutTrace = fault == Fault::Failed && !completed;
      if (failedWithoutTrace && op.bytesKeptOnFailure && n != op.callersOwnCall) {
        EXPECT_EQ(Files(), before);
      }
      Contents in = Reopened("in"), out = Reopened("out");
      bool isOld = in == oldIn && out == oldOut, isNew = in == newIn && out == newOut;
      bool inBoth = op.bothPairsAllowed && in == oldIn && out == newOut;
      if (completed) {
        EXPECT_TRUE(isNew);
      }
      if (failedWithoutTrace) {
        EXPECT_TRUE(isOld);
      }
      EXPECT_TRUE(isOld || isNew || inBoth) << "contents neither old nor new";
    }
  }

  static constexpr const char* k_files[] = {"in.IND", "in.BOX", "out.IND", "out.BOX"};
  std::map<std::string, std::string> original_;
};

TEST_F(CrashPoints, KilledAtAnyFileCallLosesNothing) {
  for (const Operation& op : Operations()) RunAtEveryCall(op, Fault::Killed);
}

TEST_F(CrashPoints, FailedFileCallLeavesNoTrace) {
  for (const Operation& op : Operations()) RunAtEveryCall(op, Fault::Failed);
}

// Creation stopped or failed at any call: nothing is left that the next opening cannot
// use, and a failed creation leaves no file at all.
TEST_F(CrashPoints, CreationStoppedAtAnyCall) {
  int calls = 0;
  {
    FileFaults counter;
    TMailBox box(Base("new"));
    calls = counter.Calls();
  }
  ASSERT_GT(calls, 0);
  for (Fault fault : {Fault::Killed, Fault::Failed}) {
    for (int n = 1; n <= calls; ++n) {
      SCOPED_TRACE("stopped at file call " + std::to_string(n));
      platform::FileDelete(Base("new.IND"));
      platform::FileDelete(Base("new.BOX"));
      {
        FileFaults faults(fault == Fault::Killed ? FileFaults::FromCall(n) : FileFaults::OnlyCall(n));
        EXPECT_THROW(TMailBox box(Base("new")), EFileException);
      }
      if (fault == Fault::Failed) {
        EXPECT_FALSE(platform::FileExists(Base("new.IND")));
        EXPECT_FALSE(platform::FileExists(Base("new.BOX")));
      }
      TMailBox box(Base("new"));
      EXPECT_EQ(FileSize(Base("new.IND")), 64);
      EXPECT_EQ(AddText(box, "first"), 1);
      EXPECT_EQ(box.CheckSeparators(), 0);
    }
  }
}

}  // namespace
}  // namespace store_test
