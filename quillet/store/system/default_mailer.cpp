#include "quillet/store/system/default_mailer.h"

#include "platform/registry.h"
#include "quillet/common/gbk.h"
#include "quillet/store/system/startup_texts.h"

namespace {

constexpr platform::RegistryRoot k_classes = platform::RegistryRoot::ClassesRoot;

// Both texts are cut after the prefix's length; a double-byte character that the cut
// splits in `text` then differs from the prefix's character there, as it should.
bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && gbk::CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

std::string QuotedPath(const std::string& path) { return "\"" + path + "\""; }

std::string MailOpenCommand(const std::string& executablePath) { return QuotedPath(executablePath) + " %1"; }

bool IsDefaultMailProgram(const std::string& executablePath) {
  std::string command;
  return platform::RegistryReadString(k_classes, k_mailtoCommandKey, "", command) ==
             platform::RegistryLookup::Found &&
         StartsWithNoCase(command, QuotedPath(executablePath));
}

bool MakeDefaultMailProgram(const std::string& executablePath) {
  return platform::RegistryWriteString(k_classes, k_mailtoCommandKey, "", MailOpenCommand(executablePath));
}

bool DefaultMailerQuestionDue(const TSetupManager& setup, const std::string& executablePath) {
  return setup.ReadBool("Network", "CheckMailer", true) && !IsDefaultMailProgram(executablePath);
}

bool OfferToBecomeDefaultMailProgram(const TSetupManager& setup, const std::string& executablePath,
                                     TUserPrompts& prompts) {
  if (!DefaultMailerQuestionDue(setup, executablePath)) return false;
  return ApplyDefaultMailerAnswer(setup, executablePath, prompts.AskYesNo(k_textBecomeDefaultMailer), true, prompts);
}

bool ApplyDefaultMailerAnswer(const TSetupManager& setup, const std::string& executablePath, bool yes,
                              bool keepChecking, TUserPrompts& prompts) {
  if (!keepChecking) setup.WriteBool("Network", "CheckMailer", false);
  if (!yes) return false;
  if (MakeDefaultMailProgram(executablePath)) return true;
  prompts.ShowMessage(std::string(k_textRegistryWrite) + "HKEY_CLASSES_ROOT\\" + k_mailtoCommandKey);
  return false;
}
