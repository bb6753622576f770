#include "quillet/store/system/mailbox_set.h"

#include "platform/file.h"
#include "quillet/common/gbk.h"
#include "quillet/common/paths.h"
#include "quillet/common/profile_file.h"
#include "quillet/common/text_format.h"
#include "quillet/store/system/box_file_name.h"
#include "quillet/store/system/system_errors.h"
#include "quillet/store/system/system_texts.h"

namespace {

// Longer names would not fit the mailbox tree or a rule's target sensibly.
constexpr std::size_t k_maxBoxNameLength = 64;
constexpr char k_keyCount[] = "Count";
constexpr char k_keyName[] = "Name";
constexpr char k_keyFile[] = "File";
const char* const k_pairExtensions[] = {".IND", ".BOX", ".BO~"};

std::string TrimBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool HasControlCharacter(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// The standard mailboxes in the order the set lists them, with the command line's aliases.
struct TStandardBox {
  TBoxKind kind;
  const char* displayName;
  std::string TStandardBoxNames::*file;
  const char* alias;
};
const TStandardBox k_standardBoxes[] = {
    {TBoxKind::Inbox, k_textInboxDisplayName, &TStandardBoxNames::inbox, "in"},
    {TBoxKind::Outbox, k_textOutboxDisplayName, &TStandardBoxNames::outbox, "out"},
    {TBoxKind::Sentbox, k_textSentboxDisplayName, &TStandardBoxNames::sentbox, "sent"},
    {TBoxKind::Trashbox, k_textTrashboxDisplayName, &TStandardBoxNames::trashbox, "trash"},
};

}  // namespace

TMailboxSet::TMailboxSet(const std::string& mailRoot, const TStandardBoxNames& names)
    : mailRoot_(paths::WithTrailingSeparator(mailRoot)) {
  for (const TStandardBox& standard : k_standardBoxes) {
    entries_.push_back(
        std::make_unique<TBoxObject>(standard.kind, standard.displayName, mailRoot_ + names.*standard.file));
    entries_.back()->Box();  // creates the pair when absent
    entries_.back()->ReleaseBox();
  }
  LoadUserList();
}

std::string TMailboxSet::UserListPath() const { return mailRoot_ + k_userBoxFileName; }

TBoxObject& TMailboxSet::Standard(TBoxKind kind) const {
  for (const auto& entry : entries_)
    if (entry->Kind() == kind) return *entry;
  throw ESystemError(k_textNoSuchBox);  // the constructor made all four
}

TBoxObject* TMailboxSet::FindByName(const std::string& name) const {
  for (const auto& entry : entries_)
    if (entry->Name() == name) return entry.get();
  return nullptr;
}

TBoxObject* TMailboxSet::FindByBasePath(const std::string& basePath) const {
  for (const auto& entry : entries_)
    if (entry->BasePath() == basePath || entry->BasePath() == mailRoot_ + basePath) return entry.get();
  return nullptr;
}

TBoxObject& TMailboxSet::Get(const std::string& nameAliasOrPath) const {
  if (TBoxObject* byName = FindByName(nameAliasOrPath)) return *byName;
  for (const TStandardBox& standard : k_standardBoxes)
    if (nameAliasOrPath == standard.alias) return Standard(standard.kind);
  if (TBoxObject* byPath = FindByBasePath(nameAliasOrPath)) return *byPath;
  throw ESystemError(k_textNoSuchBox + nameAliasOrPath);
}

std::string TMailboxSet::CheckedName(const std::string& name, const TBoxObject* renamed) const {
  const std::string trimmed = TrimBlanks(name);
  if (trimmed.empty() || trimmed.size() > k_maxBoxNameLength || HasControlCharacter(trimmed))
    throw ESystemError(k_textBoxNameInvalid + name);
  for (const auto& entry : entries_)
    if (entry.get() != renamed && gbk::EqualNoCase(entry->Name(), trimmed))
      throw ESystemError(k_textBoxNameExists + trimmed);
  return trimmed;
}

std::string TMailboxSet::FileNameOf(const TBoxObject& box) const { return box.BasePath().substr(mailRoot_.size()); }

bool TMailboxSet::FileNameTaken(const std::string& fileName) const {
  for (const auto& entry : entries_)
    if (gbk::EqualNoCase(FileNameOf(*entry), fileName)) return true;
  for (const char* extension : k_pairExtensions)
    if (platform::FileExists(mailRoot_ + fileName + extension)) return true;
  return false;
}

TBoxObject& TMailboxSet::Create(const std::string& name) {
  const std::string checked = CheckedName(name, nullptr);
  const std::string fileName = NewBoxFileName(checked, [this](const std::string& f) { return FileNameTaken(f); });
  entries_.push_back(std::make_unique<TBoxObject>(TBoxKind::User, checked, mailRoot_ + fileName));
  try {
    SaveUserList();
  } catch (...) {
    entries_.pop_back();
    throw;
  }
  TBoxObject& box = *entries_.back();
  box.Box();
  return box;
}

void TMailboxSet::Rename(TBoxObject& box, const std::string& newName) {
  if (box.IsStandard()) throw ESystemError(k_textBoxProtected + box.Name());
  const std::string checked = CheckedName(newName, &box);
  const std::string oldName = box.Name();
  box.SetName(checked);
  try {
    SaveUserList();
  } catch (...) {
    box.SetName(oldName);
    throw;
  }
}

bool TMailboxSet::Delete(TBoxObject& box, TUserPrompts& prompts) {
  if (box.IsStandard()) throw ESystemError(k_textBoxProtected + box.Name());
  if (box.Box().GetSpaceInfo().LiveCount > 0 && !prompts.AskYesNo(FormatText(k_textAskDeleteBox, {box.Name()})))
    return false;
  auto at = entries_.begin();
  while (at->get() != &box) ++at;
  std::unique_ptr<TBoxObject> removed = std::move(*at);
  at = entries_.erase(at);
  try {
    SaveUserList();
  } catch (...) {
    entries_.insert(at, std::move(removed));
    throw;
  }
  // Once unlisted the pair is unreachable; files that cannot be removed only take space.
  removed->ReleaseBox();
  for (const char* extension : k_pairExtensions) platform::FileDelete(removed->BasePath() + extension);
  return true;
}

void TMailboxSet::LoadUserList() {
  const TProfileText list = TProfileFile(UserListPath()).Load();
  const std::int32_t count = list.ReadInteger(k_sectionUserBox, k_keyCount, 0);
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    const std::string name = TrimBlanks(list.ReadString(k_sectionUserBox, k_keyName + n, ""));
    const std::string file = list.ReadString(k_sectionUserBox, k_keyFile + n, "");
    if (name.empty() || HasControlCharacter(name) || !IsPlainBoxFileName(file) || FindByName(name) ||
        FindByBasePath(file))
      continue;
    entries_.push_back(std::make_unique<TBoxObject>(TBoxKind::User, name, mailRoot_ + file));
  }
}

void TMailboxSet::SaveUserList() const {
  const TProfileFile file(UserListPath());
  TProfileText list = file.Load();
  list.EraseSection(k_sectionUserBox);
  std::int32_t count = 0;
  for (const auto& entry : entries_) {
    if (entry->IsStandard()) continue;
    const std::string n = std::to_string(++count);
    list.WriteString(k_sectionUserBox, k_keyName + n, "\"" + entry->Name() + "\"");
    list.WriteString(k_sectionUserBox, k_keyFile + n, FileNameOf(*entry));
  }
  list.WriteInteger(k_sectionUserBox, k_keyCount, count);
  file.Store(list);
}
