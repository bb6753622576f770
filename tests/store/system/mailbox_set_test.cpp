// The mailbox set: the standard mailboxes, the user's list in ubi.inf, and its changes.
#include "quillet/store/system/mailbox_set.h"

#include "platform/file.h"
#include "quillet/store/system/system_errors.h"
#include "tests/store/system/system_test_support.h"

namespace system_test {
namespace {

using store_test::AddText;
using store_test::MessageText;
using store_test::ReadFileBytes;
using store_test::WriteFileBytes;

class MailboxSetTest : public store_test::ScratchTest {
 protected:
  TMailboxSet Set() const { return TMailboxSet(Folder(), TStandardBoxNames()); }
  std::string Names(const TMailboxSet& set) const {
    std::string names;
    for (const auto& entry : set.Entries()) names += entry->Name() + "|";
    return names;
  }
};

TEST_F(MailboxSetTest, StandardMailboxesAreMadeInTheMailRoot) {
  TStandardBoxNames names;
  names.sentbox = "sent2";
  const TMailboxSet set(Folder(), names);
  const struct {
    TBoxKind kind;
    const char* name;
    const char* file;
  } expected[] = {{TBoxKind::Inbox, "收件箱", "in"},
                  {TBoxKind::Outbox, "发件箱", "out"},
                  {TBoxKind::Sentbox, "已发送邮件", "sent2"},
                  {TBoxKind::Trashbox, "废件箱", "trash"}};
  ASSERT_EQ(set.Entries().size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const TBoxObject& box = *set.Entries()[i];
    EXPECT_EQ(box.Kind(), expected[i].kind);
    EXPECT_EQ(box.Name(), expected[i].name);
    EXPECT_EQ(box.BasePath(), Base(expected[i].file));
    EXPECT_TRUE(platform::FileExists(Base(expected[i].file) + ".IND"));
    EXPECT_TRUE(box.IsStandard());
  }
  EXPECT_EQ(static_cast<int>(TBoxKind::Outbox), 1);
}

TEST_F(MailboxSetTest, UserMailboxesRoundTripThroughUbiInf) {
  {
    TMailboxSet set = Set();
    set.Create("Work");
    set.Create("  \"朋友\" ");
    set.Create("work 2");
  }
  EXPECT_EQ(ReadFileBytes(Base("ubi.inf")),
            "[UserBox]\r\nName1=\"Work\"\r\nFile1=Work\r\nName2=\"\"朋友\"\"\r\nFile2=box\r\n"
            "Name3=\"work 2\"\r\nFile3=work2\r\nCount=3\r\n");
  const TMailboxSet again = Set();
  EXPECT_EQ(Names(again), "收件箱|发件箱|已发送邮件|废件箱|Work|\"朋友\"|work 2|");
  EXPECT_EQ(again.Entries()[5]->BasePath(), Base("box"));
  EXPECT_EQ(again.Entries()[5]->Kind(), TBoxKind::User);
}

TEST_F(MailboxSetTest, DamagedListEntriesAreLeftOut) {
  WriteFileBytes(Base("ubi.inf"),
                 "[UserBox]\r\nCount=6\r\nName1=Good\r\nFile1=good\r\nName2=\r\nFile2=x\r\n"
                 "Name3=Escape\r\nFile3=..\\..\\etc\r\nName4=good\r\nFile4=other\r\nName5=Twin\r\nFile5=good\r\n"
                 "Name6=收件箱\r\nFile6=inbox2\r\n");
  const TMailboxSet set = Set();
  // Names compare exactly when listed: "good" is not "Good".
  EXPECT_EQ(Names(set), "收件箱|发件箱|已发送邮件|废件箱|Good|good|");
}

TEST_F(MailboxSetTest, NewNamesMustBeSensibleAndNew) {
  TMailboxSet set = Set();
  set.Create("Work");
  const struct {
    std::string name;
    std::string error;
  } refused[] = {
      {"", "A mailbox name must not be empty, hold control characters or be longer than 64 bytes: "},
      {"   ", "A mailbox name must not be empty, hold control characters or be longer than 64 bytes:    "},
      {"a\tb", "A mailbox name must not be empty, hold control characters or be longer than 64 bytes: a\tb"},
      {std::string(65, 'x'),
       "A mailbox name must not be empty, hold control characters or be longer than 64 bytes: " + std::string(65, 'x')},
      {"WORK", "A mailbox with this name exists already: WORK"},
      {" 废件箱", "A mailbox with this name exists already: 废件箱"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    try {
      set.Create(c.name);
      ADD_FAILURE() << "accepted";
    } catch (const ESystemError& e) {
      EXPECT_EQ(e.Message(), c.error);
    }
  }
  EXPECT_EQ(set.Entries().size(), 5u);
  EXPECT_EQ(set.Create(std::string(64, 'y')).Name(), std::string(64, 'y'));
}

TEST_F(MailboxSetTest, FileNamesAvoidTakenNamesAndLeftoverFiles) {
  WriteFileBytes(Base("Work.BOX"), "left over");
  TMailboxSet set = Set();
  EXPECT_EQ(set.Create("Work").BasePath(), Base("Work1"));
  EXPECT_EQ(set.Create("Work!").BasePath(), Base("Work2"));
  EXPECT_EQ(set.Create("收件").BasePath(), Base("box"));
  EXPECT_EQ(set.Create("in").BasePath(), Base("in1"));
  EXPECT_EQ(ReadFileBytes(Base("Work.BOX")), "left over");
}

TEST_F(MailboxSetTest, RenameKeepsFilesAndProtectsStandardMailboxes) {
  TMailboxSet set = Set();
  TBoxObject& work = set.Create("Work");
  AddText(work.Box(), MessageText("kept"));
  set.Rename(work, "Job");
  EXPECT_EQ(work.BasePath(), Base("Work"));
  EXPECT_EQ(Names(Set()), "收件箱|发件箱|已发送邮件|废件箱|Job|");
  set.Rename(work, "JOB");  // a change of case of its own name
  EXPECT_EQ(work.Name(), "JOB");
  EXPECT_THROW(set.Rename(set.Standard(TBoxKind::Trashbox), "Bin"), ESystemError);
  EXPECT_THROW(set.Rename(work, "收件箱"), ESystemError);
  EXPECT_EQ(set.Standard(TBoxKind::Trashbox).Name(), "废件箱");
  EXPECT_EQ(work.Box().GetSpaceInfo().LiveCount, 1);
}

TEST_F(MailboxSetTest, DeleteAsksForAMailboxWithMessagesAndKeepsItByDefault) {
  TMailboxSet set = Set();
  TBoxObject& empty = set.Create("Empty");
  TBoxObject& full = set.Create("Full");
  AddText(full.Box(), MessageText("one"));
  store_test::RecordingPrompts no(false);

  EXPECT_TRUE(set.Delete(empty, no));
  EXPECT_TRUE(no.asked.empty());
  EXPECT_FALSE(platform::FileExists(Base("Empty.IND")));

  EXPECT_FALSE(set.Delete(full, no));
  EXPECT_EQ(no.asked, std::vector<std::string>{"是否要删除邮件箱: Full ?\r\n邮件箱删除后，箱里所有邮件不能恢复！"});
  EXPECT_EQ(Names(Set()), "收件箱|发件箱|已发送邮件|废件箱|Full|");
  EXPECT_TRUE(platform::FileExists(Base("Full.BOX")));

  store_test::RecordingPrompts yes(true);
  EXPECT_TRUE(set.Delete(*set.FindByName("Full"), yes));
  EXPECT_FALSE(platform::FileExists(Base("Full.IND")));
  EXPECT_FALSE(platform::FileExists(Base("Full.BOX")));
  EXPECT_EQ(Names(Set()), "收件箱|发件箱|已发送邮件|废件箱|");
  EXPECT_THROW(set.Delete(set.Standard(TBoxKind::Inbox), yes), ESystemError);
}

TEST_F(MailboxSetTest, LookupByNameAliasAndBasePath) {
  TMailboxSet set = Set();
  TBoxObject& work = set.Create("Work");
  const struct {
    std::string arg;
    const TBoxObject* found;
  } cases[] = {
      {"Work", &work},
      {"Work", set.FindByName("Work")},
      {"收件箱", &set.Standard(TBoxKind::Inbox)},
      {"in", &set.Standard(TBoxKind::Inbox)},
      {"out", &set.Standard(TBoxKind::Outbox)},
      {"sent", &set.Standard(TBoxKind::Sentbox)},
      {"trash", &set.Standard(TBoxKind::Trashbox)},
      {Base("Work"), &work},
      {"trash", set.FindByBasePath(Base("trash"))},
  };
  for (const auto& c : cases) EXPECT_EQ(&set.Get(c.arg), c.found) << c.arg;
  EXPECT_EQ(set.FindByName("work"), nullptr);
  try {
    set.Get("nowhere");
    ADD_FAILURE();
  } catch (const ESystemError& e) {
    EXPECT_EQ(e.Message(), "No such mailbox: nowhere");
  }
}

}  // namespace
}  // namespace system_test
