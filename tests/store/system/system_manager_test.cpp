// The manager's creation, its events and its shutdown.
#include "quillet/store/system/system_manager.h"

#include "platform/file.h"
#include "quillet/store/system/system_errors.h"
#include "tests/store/system/system_test_support.h"

namespace system_test {
namespace {

using store_test::AddText;
using store_test::MessageText;

class SystemManagerTest : public SystemTest {
 protected:
  static TOneAction RuleTo(const std::string& subject, const std::string& target) {
    TOneAction rule;
    rule.subject = subject;
    rule.target = target;
    return rule;
  }
};

TEST_F(SystemManagerTest, CreationMakesTheAssistantTheAddressFolderAndTheMailboxes) {
  WriteIni("inbox=inbox\r\naddressbox=book\r\n[Receive]\r\nAutoPackRate=30\r\n");
  auto manager = Open();
  EXPECT_EQ(manager->VersionText(), "1.0");
  EXPECT_EQ(manager->MailRoot(), MailRoot());
  EXPECT_EQ(manager->Assistant().FileName(), MailRoot() + "assist.dat");
  EXPECT_TRUE(platform::FileExists(MailRoot() + "assist.dat"));
  EXPECT_EQ(manager->Settings().AutoPackRate, 30);
  EXPECT_EQ(manager->AddressFolder(), Folder() + "Address");
  EXPECT_TRUE(platform::DirectoryExists(Folder() + "Address"));
  EXPECT_EQ(manager->AddressBookPath(), Folder() + "Address" + platform::PathSeparator() + "book");
  EXPECT_EQ(manager->Boxes().Standard(TBoxKind::Inbox).BasePath(), MailRoot() + "inbox");
  EXPECT_EQ(manager->Boxes().Standard(TBoxKind::Outbox).BasePath(), MailRoot() + "out");
  EXPECT_TRUE(platform::FileExists(MailRoot() + "trash.IND"));
}

TEST_F(SystemManagerTest, AMailRootThatIsNoDirectoryIsRefusedWithItsPath) {
  const struct {
    const char* name;
    std::string ini;
    std::string text;
  } cases[] = {
      {"missing directory", "[System]\r\nmailroot=" + Folder() + "nothere\r\n",
       "Directory not find: " + Folder() + "nothere"},
      {"no key", "[System]\r\nInitialized=1\r\n", "Directory not find: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    store_test::WriteFileBytes(IniPath(), c.ini);
    try {
      Open();
      ADD_FAILURE() << "opened";
    } catch (const ESystemError& e) {
      EXPECT_EQ(e.Message(), c.text);
    }
    EXPECT_FALSE(platform::FileExists(Folder() + "nothere"));
  }
}

TEST_F(SystemManagerTest, CountersOfEveryPairReachTheEventsUntilShutdown) {
  auto manager = Open();
  AddText(manager->Boxes().Standard(TBoxKind::Inbox).Box(), MessageText("one"));
  EXPECT_EQ(events.counters, std::vector<std::string>{MailRoot() + "in"});
  manager.reset();
  TMailBox other(MailRoot() + "in");
  AddText(other, MessageText("two"));
  EXPECT_EQ(events.counters.size(), 1u);
}

TEST_F(SystemManagerTest, RenameTakesTheRulesAlongAndSavesThem) {
  auto manager = Open();
  TBoxObject& work = manager->CreateBox("Work");
  manager->Assistant().ReplaceRules({RuleTo("a", "Work"), RuleTo("b", "Other"), RuleTo("c", "Work")});
  manager->Assistant().Save();
  manager->RenameBox(work, "Job");
  TAssistence saved(MailRoot() + "assist.dat");
  ASSERT_EQ(saved.Rules().size(), 3u);
  EXPECT_EQ(saved.Rules()[0].target, "Job");
  EXPECT_EQ(saved.Rules()[1].target, "Other");
  EXPECT_EQ(saved.Rules()[2].target, "Job");
  EXPECT_FALSE(manager->Assistant().Modified());
}

TEST_F(SystemManagerTest, ShutdownSavesModifiedRules) {
  {
    auto manager = Open();
    manager->Assistant().ReplaceRules({RuleTo("x", "收件箱")});
  }
  EXPECT_EQ(TAssistence(MailRoot() + "assist.dat").Rules().size(), 1u);
}

TEST_F(SystemManagerTest, SettingsAreSavedOnRequest) {
  auto manager = Open();
  manager->Settings().MoveToSentbox = false;
  EXPECT_EQ(TSetupManager(IniPath()).ReadString("Send", "MoveToSentbox", "none"), "none");
  manager->SaveSettings();
  EXPECT_FALSE(TSetupManager(IniPath()).ReadBool("Send", "MoveToSentbox", true));
}

}  // namespace
}  // namespace system_test
