// Compaction commands of the manager.
#include "platform/file.h"
#include "quillet/common/paths.h"
#include "quillet/common/text_format.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/store/system/system_texts.h"

bool TSystemManager::PackPair(TIdxFile& pair, const std::string& name) {
  TBusyCursor busy(*events_);
  events_->StatusText(FormatText(k_textPacking, {name}));
  if (!pair.Pack(*prompts_)) return false;
  events_->StatusText(FormatText(k_textPacked, {name}));
  return true;
}

TPackResult TSystemManager::PackBox(TBoxObject& box, bool onlyIfNeeded) {
  if (box.Kind() == TBoxKind::Outbox && sending_) {
    prompts_->ShowMessage(k_textOutboxSending);
    return TPackResult::Refused;
  }
  TMailBox& pair = box.Box();
  if (pair.IsEncrypted()) return TPackResult::Encrypted;
  if (onlyIfNeeded && !pair.NeedsPack(settings_.AutoPackRate)) return TPackResult::NotNeeded;
  return PackPair(pair, box.Name()) ? TPackResult::Packed : TPackResult::DiskFull;
}

void TSystemManager::PackAll(bool onlyIfNeeded) {
  // After a full disk was reported the next pairs would only report it again.
  for (const auto& entry : boxes_->Entries())
    if (PackBox(*entry, onlyIfNeeded) == TPackResult::DiskFull) return;
  if (onlyIfNeeded || !platform::FileExists(addressBookPath_ + ".IND")) return;
  TIdxFile book(addressBookPath_);
  if (!book.IsEncrypted()) PackPair(book, paths::FileNamePart(addressBookPath_));
}
