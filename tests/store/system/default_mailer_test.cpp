#include "quillet/store/system/default_mailer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "tests/store/system/startup_test_support.h"

namespace {

using platform::RegistryRoot;
using startup_test::RegistryText;
using store_test::RecordingPrompts;

const char k_commandKey[] = "mailto\\shell\\open\\command";
// The question as the user sees it, spelt independently of the code.
const std::string k_question =
    "Quillet\xB5\xB1\xC7\xB0\xB2\xBB\xCA\xC7\xCF\xB5\xCD\xB3\xC4\xAC\xC8\xCF\xB5\xC4\xD3\xCA\xBC\xFE\xC8\xED"
    "\xBC\xFE\xA3\xAC\xCA\xC7\xB7\xF1\xBD\xAB\xCB\xFC\xC9\xE8\xB3\xC9\xC4\xAC\xC8\xCF\xA3\xAC\xD5\xE2\xD1\xF9"
    "\xC4\xE3\xBF\xC9\xD2\xD4\xD4\xDA\xC6\xE4\xCB\xFC\xB3\xCC\xD0\xF2\xD6\xD0\xD7\xD4\xB6\xAF\xB5\xF7\xD3\xC3?";

class DefaultMailer : public startup_test::RegistryScratchTest {
 protected:
  void SetCommand(const std::string& command) {
    ASSERT_TRUE(platform::RegistryWriteString(RegistryRoot::ClassesRoot, k_commandKey, "", command));
  }
};

TEST_F(DefaultMailer, OpenCommandQuotesThePath) {
  EXPECT_EQ(MailOpenCommand("C:\\Program Files\\quillet.exe"), "\"C:\\Program Files\\quillet.exe\" %1");
}

TEST_F(DefaultMailer, DefaultWhenTheMailtoCommandStartsWithTheQuotedPath) {
  const std::string exe = "C:\\Mail\\quillet.exe";
  EXPECT_FALSE(IsDefaultMailProgram(exe));  // no key
  ASSERT_TRUE(platform::RegistryCreateKey(RegistryRoot::ClassesRoot, k_commandKey));
  EXPECT_FALSE(IsDefaultMailProgram(exe));  // no value
  const struct { std::string command, exe; bool isDefault; } cases[] = {
      {"\"C:\\Mail\\quillet.exe\" %1", exe, true},
      {"\"c:\\MAIL\\QUILLET.EXE\" -x %1", exe, true},
      {"\"C:\\Mail\\quillet.exe\"", exe, true},
      {"C:\\Mail\\quillet.exe %1", exe, false},
      {"\"C:\\Mail\\other.exe\" %1", exe, false},
      {"", exe, false},
      // A trail byte that looks like a letter is not folded: "\x81\x61" is not "\x81\x41".
      {"\"C:\\\x81\x41.exe\" %1", "C:\\\x81\x61.exe", false},
      {"\"C:\\\x81\x41.EXE\" %1", "C:\\\x81\x41.exe", true},
  };
  for (const auto& c : cases) {
    SetCommand(c.command);
    EXPECT_EQ(IsDefaultMailProgram(c.exe), c.isDefault) << c.command;
  }
}

TEST_F(DefaultMailer, QuestionAtStart) {
  const std::string exe = Base("quillet.exe");
  const std::string other = "\"C:\\other.exe\" %1";
  const TSetupManager setup(Base("quillet.INI"));
  const struct {
    const char* name;
    const char* checkMailer;  // nullptr: not in the file
    std::string command;
    bool answer, asked;
    std::string after;
  } cases[] = {
      {"not default, No", nullptr, other, false, true, other},
      {"not default, Yes", nullptr, other, true, true, MailOpenCommand(exe)},
      {"no command yet, Yes", nullptr, "", true, true, MailOpenCommand(exe)},
      {"checking switched off", "0", other, true, false, other},
      {"already default", "1", MailOpenCommand(exe), true, false, MailOpenCommand(exe)},
  };
  for (const auto& c : cases) {
    if (c.checkMailer) setup.WriteString("Network", "CheckMailer", c.checkMailer);
    SetCommand(c.command);
    RecordingPrompts prompts(c.answer);
    EXPECT_EQ(OfferToBecomeDefaultMailProgram(setup, exe, prompts), c.asked && c.answer) << c.name;
    EXPECT_EQ(prompts.asked, c.asked ? std::vector<std::string>{k_question} : std::vector<std::string>{}) << c.name;
    EXPECT_TRUE(prompts.shown.empty()) << c.name;
    EXPECT_EQ(RegistryText(RegistryRoot::ClassesRoot, k_commandKey, ""), c.after) << c.name;
  }
}

TEST_F(DefaultMailer, DialogAnswerWithTheCheckBox) {
  const std::string exe = Base("quillet.exe");
  const TSetupManager setup(Base("quillet.INI"));
  const std::string other = "\"C:\\other.exe\" %1";
  const struct {
    bool yes, keepChecking;
    std::string command;
    bool dueAfter;
  } cases[] = {
      {false, true, other, true},
      {false, false, other, false},
      {true, false, MailOpenCommand(exe), false},
      {true, true, MailOpenCommand(exe), false},
  };
  for (const auto& c : cases) {
    setup.WriteString("Network", "CheckMailer", "1");
    SetCommand(other);
    EXPECT_TRUE(DefaultMailerQuestionDue(setup, exe));
    RecordingPrompts prompts;
    EXPECT_EQ(ApplyDefaultMailerAnswer(setup, exe, c.yes, c.keepChecking, prompts), c.yes);
    EXPECT_EQ(RegistryText(RegistryRoot::ClassesRoot, k_commandKey, ""), c.command);
    EXPECT_EQ(setup.ReadBool("Network", "CheckMailer", true), c.keepChecking);
    EXPECT_EQ(DefaultMailerQuestionDue(setup, exe), c.dueAfter);
    EXPECT_TRUE(prompts.shown.empty());
  }
}

#ifndef _WIN32
// A registry that refuses the write (a damaged registry file) is reported, not hidden.
TEST_F(DefaultMailer, RefusedWriteIsShown) {
  store_test::WriteFileBytes(Base("registry"), "damaged");
  RecordingPrompts prompts(true);
  EXPECT_FALSE(OfferToBecomeDefaultMailProgram(TSetupManager(Base("quillet.INI")), Base("q.exe"), prompts));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0], "Can not write to the registry: HKEY_CLASSES_ROOT\\mailto\\shell\\open\\command");
  EXPECT_EQ(store_test::ReadFileBytes(Base("registry")), "damaged");
  platform::FileDelete(Base("registry"));
}
#endif

}  // namespace
