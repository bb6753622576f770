#include "quillet/store/system/startup_check.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "quillet/common/profile_file.h"
#include "quillet/store/system/command_line.h"
#include "tests/store/system/startup_test_support.h"

namespace {

using platform::RegistryRoot;
using startup_test::RegistryText;
using store_test::RecordingPrompts;

class StartupCheck : public startup_test::RegistryScratchTest {
 protected:
  void SetUp() override {
    RegistryScratchTest::SetUp();
    // A folder whose name ends in a double-byte character with the trail byte "\".
    base_ = Base("\xD3\xCA\x81\x5C");
    ASSERT_TRUE(platform::MakeDirectory(base_));
    exe_ = Base("quillet.exe");
  }
  TStartupPlace Place() const { return {IniFilePath(base_, exe_), base_, exe_, Folder()}; }
  std::string Ini(const std::string& key) const {
    return TProfileFile(Place().iniPath).ReadString("System", key, "<none>");
  }
  std::string MailRoot() const { return base_ + platform::PathSeparator() + "mail"; }

  std::string base_, exe_;
  RecordingPrompts prompts_;
};

TEST_F(StartupCheck, FirstRunMakesTheMailRootTheSettingsAndTheRegistryEntries) {
  ASSERT_TRUE(RunStartupCheck(Place(), prompts_));
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_TRUE(platform::DirectoryExists(MailRoot()));
  const struct { const char* key; std::string value; } settings[] = {
      {"mailroot", MailRoot()}, {"inbox", "in"},         {"outbox", "out"},     {"sentbox", "sent"},
      {"trashbox", "trash"},    {"addressbox", "address"}, {"Initialized", "1"}};
  for (const auto& s : settings) EXPECT_EQ(Ini(s.key), s.value) << s.key;

  const std::string quoted = "\"" + exe_ + "\"";
  const std::string client = startup_test::k_clientKey;
  const struct { RegistryRoot root; std::string key, name, value; } entries[] = {
      {RegistryRoot::LocalMachine, startup_test::k_programKey, "Executable", exe_},
      {RegistryRoot::LocalMachine, startup_test::k_programKey, "Description", "Internet Mail Client"},
      {RegistryRoot::ClassesRoot, "mailto\\shell\\open\\command", "", quoted + " %1"},
      {RegistryRoot::ClassesRoot, "mailto", "", "URL:MailTo Protocol"},
      {RegistryRoot::LocalMachine, client, "", "Quillet"},
      {RegistryRoot::LocalMachine, client + "\\Protocols\\mailto", "", "URL:MailTo Protocol"},
      {RegistryRoot::LocalMachine, client + "\\Protocols\\mailto", "URL Protocol", ""},
      {RegistryRoot::LocalMachine, client + "\\Protocols\\mailto\\DefaultIcon", "", exe_},
      {RegistryRoot::LocalMachine, client + "\\Protocols\\mailto\\shell\\open\\command", "", quoted + " %1"},
      {RegistryRoot::LocalMachine, client + "\\shell\\open\\command", "", quoted},
  };
  for (const auto& e : entries) EXPECT_EQ(RegistryText(e.root, e.key, e.name), e.value) << e.key << " / " << e.name;
  std::uint32_t flags = 0;
  const std::string protocol = client + "\\Protocols\\mailto";
  EXPECT_EQ(platform::RegistryReadInteger(RegistryRoot::LocalMachine, protocol, "EditFlags", flags),
            platform::RegistryLookup::Found);
  EXPECT_EQ(flags, 2u);
}

// The second start keeps what the user and other programs changed since the first.
TEST_F(StartupCheck, SecondRunKeepsTheSettingsAndTheRegistryAsTheyAre) {
  ASSERT_TRUE(RunStartupCheck(Place(), prompts_));
  const std::string otherRoot = Base("elsewhere");
  ASSERT_TRUE(platform::MakeDirectory(otherRoot));
  TProfileFile(Place().iniPath).WriteString("System", "mailroot", otherRoot);
  TProfileFile(Place().iniPath).WriteString("System", "sentbox", "old-sent");
  const std::string otherCommand = "\"C:\\other.exe\" %1";
  const std::string iconKey = std::string(startup_test::k_clientKey) + "\\Protocols\\mailto\\DefaultIcon";
  ASSERT_TRUE(
      platform::RegistryWriteString(RegistryRoot::ClassesRoot, "mailto\\shell\\open\\command", "", otherCommand));
  ASSERT_TRUE(platform::RegistryWriteString(RegistryRoot::LocalMachine, iconKey, "", "changed"));

  ASSERT_TRUE(RunStartupCheck(Place(), prompts_));
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_EQ(Ini("mailroot"), otherRoot);
  EXPECT_EQ(Ini("sentbox"), "sent");
  EXPECT_EQ(RegistryText(RegistryRoot::ClassesRoot, "mailto\\shell\\open\\command", ""), otherCommand);
  EXPECT_EQ(RegistryText(RegistryRoot::LocalMachine, iconKey, ""), "changed");
}

TEST_F(StartupCheck, InitialisedWithoutItsMailRootFails) {
  const std::string missing = Base("gone");
  TProfileFile(Place().iniPath).WriteString("System", "mailroot", missing);
  TProfileFile(Place().iniPath).WriteInteger("System", "Initialized", 1);
  EXPECT_FALSE(RunStartupCheck(Place(), prompts_));
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0], "Can not find mail directory: " + missing + "\r\nPlease check the INI file.");
  EXPECT_EQ(Ini("mailroot"), missing);
  EXPECT_FALSE(platform::DirectoryExists(missing));
  EXPECT_EQ(RegistryText(RegistryRoot::LocalMachine, startup_test::k_clientKey, ""), "<key missing>");
}

// Not initialised: the file's other settings stay, the first run completes it.
TEST_F(StartupCheck, UninitialisedFileIsCompletedByTheFirstRun) {
  TProfileFile(Place().iniPath).WriteString("Network", "TimeOut", "90");
  TProfileFile(Place().iniPath).WriteInteger("System", "Initialized", 0);
  ASSERT_TRUE(RunStartupCheck(Place(), prompts_));
  EXPECT_EQ(Ini("Initialized"), "1");
  EXPECT_EQ(Ini("mailroot"), MailRoot());
  EXPECT_EQ(TProfileFile(Place().iniPath).ReadString("Network", "TimeOut", ""), "90");
}

TEST_F(StartupCheck, FirstRunWithoutItsBaseDirectoryFails) {
  TStartupPlace place = Place();
  place.directoryArgument = Base("absent");
  place.iniPath = IniFilePath(place.directoryArgument, exe_);
  EXPECT_FALSE(RunStartupCheck(place, prompts_));
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0], "Can not find directory: " + place.directoryArgument);
  EXPECT_FALSE(platform::FileExists(place.iniPath));
  EXPECT_EQ(RegistryText(RegistryRoot::LocalMachine, startup_test::k_programKey, "Executable"), "<key missing>");
}

TEST_F(StartupCheck, WithoutDirectoryArgumentTheExecutablesFolderIsTheBase) {
  const TStartupPlace place{IniFilePath("", exe_), "", exe_, Folder()};
  ASSERT_TRUE(RunStartupCheck(place, prompts_));
  EXPECT_EQ(place.iniPath, Base("quillet.INI"));
  EXPECT_EQ(TProfileFile(place.iniPath).ReadString("System", "mailroot", ""), Base("mail"));
  EXPECT_TRUE(platform::DirectoryExists(Base("mail")));
}

TEST_F(StartupCheck, MailRootThatCannotBeMadeFails) {
  store_test::WriteFileBytes(MailRoot(), "a file in the way");
  EXPECT_FALSE(RunStartupCheck(Place(), prompts_));
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0], "Can not create mail directory: " + MailRoot());
  EXPECT_FALSE(platform::FileExists(Place().iniPath));
}

TEST_F(StartupCheck, IniFileThatCannotBeWritten) {
  {  // the first run cannot record its settings: it fails and says so
    store_test::FileFaults faults(store_test::FileFaults::AllOf(platform::FileChange::Rename));
    EXPECT_FALSE(RunStartupCheck(Place(), prompts_));
  }
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0], "File Write Error: \r\n" + Place().iniPath);
  EXPECT_FALSE(platform::FileExists(Place().iniPath));

  // An initialised file keeps its old sent box name and the start goes on.
  ASSERT_TRUE(RunStartupCheck(Place(), prompts_));
  TProfileFile(Place().iniPath).WriteString("System", "sentbox", "old-sent");
  const std::string before = store_test::ReadFileBytes(Place().iniPath);
  {
    store_test::FileFaults faults(store_test::FileFaults::AllOf(platform::FileChange::Rename));
    EXPECT_TRUE(RunStartupCheck(Place(), prompts_));
  }
  EXPECT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(store_test::ReadFileBytes(Place().iniPath), before);
}

TEST_F(StartupCheck, MailRootCheck) {
  EXPECT_TRUE(CheckMailRoot(base_, prompts_));
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_FALSE(CheckMailRoot(MailRoot(), prompts_));
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0], "Directory not exists: " + MailRoot() + "\r\nPlease check the ini file");
}

}  // namespace
