// The rule file: byte-exact round trips, creation, damaged files, and safe replacement.
#include "quillet/store/assistant/assistence.h"

#include "platform/file.h"
#include "tests/store/assistant/assist_test_support.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using namespace assist_test;

class AssistenceTest : public ScratchTest {
 protected:
  std::string File() const { return Folder() + "assist.dat"; }
};

TOneAction Rule(std::uint16_t enabled, std::uint16_t kind, std::string from, std::string to, std::string cc,
                std::string subject, std::string target, std::uint16_t flag) {
  return TOneAction{enabled, kind, std::move(from), std::move(to), std::move(cc), std::move(subject),
                    std::move(target), flag};
}

struct RoundTripCase {
  const char* name;
  std::string bytes;
  TActionList rules;
};

TEST_F(AssistenceTest, LoadsAndSavesHandBuiltFilesByteForByte) {
  const std::string longText(300, 'x');  // beyond one length byte
  const RoundTripCase cases[] = {
      {"empty", FileBytes(0, ""), {}},
      {"editor rule", FileBytes(1, RuleBytes(1, 1, "alice", "", "", "", "收件箱", 1)),
       {Rule(1, 1, "alice", "", "", "", "收件箱", 1)}},
      {"unknown kinds and flags", FileBytes(3, RuleBytes(0, 7, "", "to", "", "", "a", 0xBEEF) +
                                                   RuleBytes(0x0100, 0x0203, "", "", "cc", "", "b", 0) +
                                                   RuleBytes(2, 0xFFFF, "", "", "", "主题", "c", 0xFFFF)),
       {Rule(0, 7, "", "to", "", "", "a", 0xBEEF), Rule(0x0100, 0x0203, "", "", "cc", "", "b", 0),
        Rule(2, 0xFFFF, "", "", "", "主题", "c", 0xFFFF)}},
      {"long texts", FileBytes(1, RuleBytes(1, 1, longText, longText, "", longText, longText, 1)),
       {Rule(1, 1, longText, longText, "", longText, longText, 1)}},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(File(), c.bytes);
    {
      TAssistence assistant(File());
      EXPECT_EQ(assistant.LoadResult().fault, TAssistFault::None);
      EXPECT_EQ(assistant.Rules(), c.rules);
      platform::FileDelete(File());
      assistant.Save();
    }
    EXPECT_EQ(ReadFileBytes(File()), c.bytes);
    EXPECT_FALSE(platform::FileExists(Folder() + "assist.da#"));
  }
}

TEST_F(AssistenceTest, MissingFileIsCreatedEmpty) {
  TAssistence assistant(File());
  EXPECT_TRUE(assistant.Rules().empty());
  EXPECT_EQ(ReadFileBytes(File()), k_signature + std::string(2, '\0'));
}

TEST_F(AssistenceTest, DestructionSavesOnlyModifiedRules) {
  // The signature is not compared on reading, so an unsaved file keeps its odd one.
  const std::string odd = "SOMETHING ELSE 9.9\n" + U16(1) + RuleBytes(1, 1, "a", "", "", "", "box", 1);
  WriteFileBytes(File(), odd);
  { TAssistence assistant(File()); }
  EXPECT_EQ(ReadFileBytes(File()), odd);
  {
    TAssistence assistant(File());
    TActionList rules = assistant.Rules();
    rules.push_back(Rule(1, 1, "", "", "", "news", "News", 1));
    assistant.ReplaceRules(rules);
    EXPECT_TRUE(assistant.Modified());
  }
  EXPECT_EQ(ReadFileBytes(File()), FileBytes(2, RuleBytes(1, 1, "a", "", "", "", "box", 1) +
                                                    RuleBytes(1, 1, "", "", "", "news", "News", 1)));
}

struct DamagedCase {
  const char* name;
  std::string bytes;
  TAssistFault fault;
  std::size_t rulesLoaded;
};

TEST_F(AssistenceTest, DamagedFilesLoadTheirSoundRulesAndStayOnDisk) {
  const std::string rule = RuleBytes(1, 1, "from", "", "", "", "box", 1);
  const DamagedCase cases[] = {
      {"empty file", "", TAssistFault::NoHeader, 0},
      {"signature only", k_signature, TAssistFault::NoHeader, 0},
      {"half a count", k_signature + "\x01", TAssistFault::NoHeader, 0},
      {"no records", FileBytes(1, ""), TAssistFault::MissingRecords, 0},
      {"count beyond the records", FileBytes(3, rule + rule), TAssistFault::MissingRecords, 2},
      {"string past the end", FileBytes(1, U16(1) + U16(1) + U16(10) + "abc"), TAssistFault::RecordCut, 0},
      {"largest length past the end", FileBytes(2, rule + U16(1) + U16(1) + U16(0xFFFF) + "x"),
       TAssistFault::RecordCut, 1},
      {"flag missing", FileBytes(2, rule + rule.substr(0, rule.size() - 2)), TAssistFault::RecordCut, 1},
      {"half a kind", FileBytes(1, U16(1) + "\x01"), TAssistFault::RecordCut, 0},
      {"bytes after the rules", FileBytes(1, rule + "zz"), TAssistFault::TrailingBytes, 1},
  };
  for (const DamagedCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(File(), c.bytes);
    {
      TAssistence assistant(File());
      EXPECT_EQ(assistant.LoadResult().fault, c.fault);
      ASSERT_EQ(assistant.Rules().size(), c.rulesLoaded);
      for (const TOneAction& loaded : assistant.Rules()) EXPECT_EQ(loaded.from, "from");
      const std::string text = DescribeAssistFault(File(), assistant.LoadResult());
      EXPECT_NE(text.find(File()), std::string::npos);
      EXPECT_NE(text.find(std::to_string(c.rulesLoaded)), std::string::npos);
    }
    EXPECT_EQ(ReadFileBytes(File()), c.bytes);
  }
}

TEST_F(AssistenceTest, SavingOverADamagedFileKeepsItsBytesAside) {
  const std::string damaged = FileBytes(2, RuleBytes(1, 1, "a", "", "", "", "box", 1) + "\x01");
  WriteFileBytes(File(), damaged);
  {
    TAssistence assistant(File());
    assistant.ReplaceRules(assistant.Rules());
  }
  EXPECT_EQ(ReadFileBytes(File()), FileBytes(1, RuleBytes(1, 1, "a", "", "", "", "box", 1)));
  EXPECT_EQ(ReadFileBytes(File() + ".bad"), damaged);
}

TEST_F(AssistenceTest, AFailedSaveLeavesTheOldFileWhole) {
  const std::string old = FileBytes(1, RuleBytes(1, 1, "a", "", "", "", "box", 1));
  for (platform::FileChange change : {platform::FileChange::Create, platform::FileChange::Write,
                                      platform::FileChange::Flush, platform::FileChange::Rename}) {
    SCOPED_TRACE(static_cast<int>(change));
    WriteFileBytes(File(), old);
    TAssistence assistant(File());
    assistant.ReplaceRules({Rule(1, 1, "", "", "", "new", "New", 1)});
    {
      FileFaults faults(FileFaults::AllOf(change));
      EXPECT_THROW(assistant.Save(), EFileException);
    }
    EXPECT_TRUE(assistant.Modified());
    EXPECT_EQ(ReadFileBytes(File()), old);
    EXPECT_FALSE(platform::FileExists(Folder() + "assist.da#"));
  }
}

TEST_F(AssistenceTest, TextsAndCountsBeyondTheFileFieldsAreRefused) {
  TAssistence assistant(File());
  const std::string before = ReadFileBytes(File());
  TOneAction tooLong;
  tooLong.subject.assign(65536, 's');
  assistant.ReplaceRules({tooLong});
  EXPECT_THROW(assistant.Save(), EAssistFileError);
  assistant.ReplaceRules(TActionList(65536));
  EXPECT_THROW(assistant.Save(), EAssistFileError);
  EXPECT_EQ(ReadFileBytes(File()), before);
  tooLong.subject.resize(65535);
  assistant.ReplaceRules({tooLong});
  assistant.Save();
  EXPECT_EQ(ReadFileBytes(File()).size(), before.size() + 6 + 10 + 65535);
}

}  // namespace
}  // namespace store_test
