// The manager's creation, shutdown and the set changes that involve the assistant.
#include "quillet/store/system/system_manager.h"

#include "platform/file.h"
#include "quillet/common/paths.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/store/assistant/assistant_texts.h"
#include "quillet/store/system/system_errors.h"
#include "quillet/store/system/system_texts.h"

namespace {

// A [System] file name, its default when absent or empty.
std::string SystemName(const TSetupManager& setup, const char* key, const char* fallback) {
  const std::string name = setup.ReadString(k_sectionSystem, key, fallback);
  return name.empty() ? fallback : name;
}

std::string CheckedMailRoot(const TSetupManager& setup) {
  const std::string root = setup.ReadString(k_sectionSystem, k_keyMailRoot, "");
  if (root.empty() || !platform::DirectoryExists(root)) throw ESystemError(k_textDirectoryNotFind + root);
  return paths::WithTrailingSeparator(root);
}

std::string MadeAddressFolder(const std::string& iniPath) {
  const std::string folder = paths::FolderPart(iniPath) + k_addressFolderName;
  if (!platform::DirectoryExists(folder) && !platform::MakeDirectory(folder))
    throw EFileException(EFileException::Kind::Create, folder);
  return folder;
}

}  // namespace

TSystemManager::TSystemManager(const std::string& iniPath, const TSystemContext& context)
    : versionText_(context.versionText), setup_(iniPath), prompts_(&context.prompts), events_(&context.events) {
  const std::string mailRoot = CheckedMailRoot(setup_);
  assistant_ = std::make_unique<TAssistence>(mailRoot + k_assistFileName);
  settings_ = LoadSystemSettings(setup_);
  addressFolder_ = MadeAddressFolder(iniPath);
  addressBookPath_ =
      paths::WithTrailingSeparator(addressFolder_) + SystemName(setup_, k_keyAddressbox, "address");
  TStandardBoxNames names;
  names.inbox = SystemName(setup_, k_keyInbox, "in");
  names.outbox = SystemName(setup_, k_keyOutbox, "out");
  names.sentbox = SystemName(setup_, k_keySentbox, "sent");
  names.trashbox = SystemName(setup_, k_keyTrashbox, "trash");
  boxes_ = std::make_unique<TMailboxSet>(mailRoot, names);
  TSystemEvents* events = events_;
  SetChangeNotifier([events](TIdxFile& pair) { events->MailboxCountersChanged(pair); });
}

TSystemManager::~TSystemManager() {
  SetChangeNotifier(nullptr);
  try {
    assistant_->SaveIfModified();
  } catch (const Exception& error) {
    prompts_->ShowMessage(error.Message());
  }
}

void TSystemManager::ExpandRecipients(const std::string& list, TStringList& addresses, TStringList& unknown) const {
  if (addressService_) {
    addressService_->ExpandRecipients(list, addresses, unknown);
    return;
  }
  SplitCommaList(list, addresses);
}

std::string TSystemManager::AddressNameOf(const std::string& address) const {
  return addressService_ ? addressService_->NameOf(address) : std::string();
}

void TSystemManager::RenameBox(TBoxObject& box, const std::string& newName) {
  const std::string oldName = box.Name();
  boxes_->Rename(box, newName);
  TActionList rules = assistant_->Rules();
  bool followed = false;
  for (TOneAction& rule : rules) {
    if (rule.target != oldName) continue;
    rule.target = box.Name();
    followed = true;
  }
  if (!followed) return;
  assistant_->ReplaceRules(std::move(rules));
  assistant_->Save();
}
