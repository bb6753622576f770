#include "quillet/store/system/startup_check.h"

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/paths.h"
#include "quillet/store/system/client_registration.h"
#include "quillet/store/system/setup_manager.h"
#include "quillet/store/system/startup_texts.h"

namespace {

constexpr char k_system[] = "System";

// The mailbox names a first run writes, after the mail root.
const char* const k_standardBoxes[][2] = {
    {"inbox", "in"}, {"outbox", "out"}, {"sentbox", "sent"}, {"trashbox", "trash"}, {"addressbox", "address"}};

// An ini file that cannot be written keeps the old value; the start goes on with it.
void WriteSentBoxName(const TSetupManager& setup) {
  try {
    setup.WriteString(k_system, "sentbox", "sent");
  } catch (const Exception&) {
  }
}

bool CheckInitialisedMailRoot(const TSetupManager& setup, TUserPrompts& prompts) {
  const std::string mailRoot = setup.ReadString(k_system, "mailroot");
  if (platform::DirectoryExists(mailRoot)) return true;
  prompts.ShowMessage(k_textMailDirectoryMissing + mailRoot + k_textLineBreak + k_textCheckIniFile);
  return false;
}

bool WriteFirstRunSettings(const TSetupManager& setup, const std::string& mailRoot, TUserPrompts& prompts) {
  try {
    TProfileText text = setup.File().Load();
    text.WriteString(k_system, "mailroot", mailRoot);
    for (const auto& box : k_standardBoxes) text.WriteString(k_system, box[0], box[1]);
    text.WriteInteger(k_system, "Initialized", 1);
    setup.File().Store(text);
    return true;
  } catch (const Exception& e) {
    prompts.ShowMessage(e.Message());
    return false;
  }
}

bool RunFirstRun(const TStartupPlace& place, const TSetupManager& setup, TUserPrompts& prompts) {
  const std::string base = place.directoryArgument.empty() ? place.executableFolder : place.directoryArgument;
  if (!platform::DirectoryExists(base)) {
    prompts.ShowMessage(k_textDirectoryMissing + base);
    return false;
  }
  const std::string mailRoot = paths::WithTrailingSeparator(base) + "mail";
  if (!platform::DirectoryExists(mailRoot) && !platform::MakeDirectory(mailRoot)) {
    prompts.ShowMessage(k_textMailDirectoryCreate + mailRoot);
    return false;
  }
  if (!WriteFirstRunSettings(setup, mailRoot, prompts)) return false;
  RecordProgram(place.executablePath);
  return true;
}

}  // namespace

bool RunStartupCheck(const TStartupPlace& place, TUserPrompts& prompts) {
  const TSetupManager setup(place.iniPath);
  bool initialised = false;
  if (platform::FileExists(place.iniPath)) {
    initialised = setup.ReadBool(k_system, "Initialized", false);
    WriteSentBoxName(setup);
  }
  const bool checked =
      initialised ? CheckInitialisedMailRoot(setup, prompts) : RunFirstRun(place, setup, prompts);
  if (checked) RegisterMailClient(place.executablePath);
  return checked;
}

bool CheckMailRoot(const std::string& mailRoot, TUserPrompts& prompts) {
  if (platform::DirectoryExists(mailRoot)) return true;
  prompts.ShowMessage(k_textDirectoryNotExists + mailRoot + k_textLineBreak + k_textCheckIniFileLower);
  return false;
}
