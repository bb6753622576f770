// Shared pieces of the store tests: a scratch folder per test, raw file access, message
// texts and a scripted user.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_faults.h"
#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/mailbox/mail_box.h"
#include "tests/support/recording_prompts.h"

namespace store_test {

// A folder of its own under the temporary folder for each test, removed afterwards; the
// change notifier is reset too.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A base path inside the scratch folder.
  std::string Base(const std::string& name) const { return folder_ + name; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
};

// A scratch folder with a small memory file system (256 KiB) mounted in it, for a full
// disk for real: natively and as root only; elsewhere the test is skipped and says why.
class SmallDiskTest : public ScratchTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Fills the file system with a file of its own; returns its size.
  std::int64_t Fill(const std::string& name);

  std::string small_;  // the mounted folder, with a trailing separator
  bool mounted_ = false;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void AppendFileBytes(const std::string& path, const std::string& bytes);
std::int64_t FileSize(const std::string& path);

// "From: ...\r\nSubject: ...\r\n\r\n<body>\r\n"
std::string MessageText(const std::string& subject, const std::string& body = "Body text");

TMailHead Head(const std::string& correspondent, const std::string& subject, bool unread = true);
// Adds the text as a message; returns its id.
std::int32_t AddText(TMailBox& box, const std::string& text, bool unread = true,
                     const std::string& subject = "subject");
std::string ReadText(TIdxFile& pair, std::int32_t id, bool whole = true);

// Little-endian fields of raw file bytes.
std::int32_t Int32At(const std::string& bytes, std::size_t offset);
double DoubleAt(const std::string& bytes, std::size_t offset);
void PutInt32At(std::string& bytes, std::size_t offset, std::int32_t value);
void PutDoubleAt(std::string& bytes, std::size_t offset, double value);

// Raw index building for damaged and hand-made pairs.
std::string RawHeader(const TIdxHeader& header);
std::string RawRecord(const TIdxRecord& record);
std::string Separator();
// Writes a pair whose data file holds the texts (each after a separator) and whose index
// holds one record per text with the given ids, all live, summaries from heads.
void WritePair(const std::string& base, const std::vector<std::int32_t>& ids, const std::vector<std::string>& texts,
               std::int32_t lastId = -1);

// Answers nothing, remembers every message shown.
using RecordingPrompts = test_support::TRecordingPrompts;

// Counts the platform's file-changing calls while it lives (numbered from 1) and makes
// those fail that the rule picks.
class FileFaults {
 public:
  using Rule = std::function<bool(platform::FileChange change, int call)>;
  explicit FileFaults(Rule rule = nullptr);
  ~FileFaults();
  FileFaults(const FileFaults&) = delete;
  FileFaults& operator=(const FileFaults&) = delete;
  int Calls() const { return calls_; }
  // Rules: every call from the n-th on fails (a crash there: nothing after it reaches the
  // disk); only the n-th fails; every call of one kind fails.
  static Rule FromCall(int n);
  static Rule OnlyCall(int n);
  static Rule AllOf(platform::FileChange kind);

 private:
  Rule rule_;
  int calls_ = 0;
};

// Header counters against a fresh count of the live records; TotalBytes - WastedBytes
// moves by exactly the live items' sizes plus separators, from `baseline` (64 for a new
// pair, 0 after Pack).
void ExpectCountersConsistent(TMailBox& box, std::int64_t baseline);

}  // namespace store_test
