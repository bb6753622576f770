// The mailbox cipher commands of the manager.
#include "quillet/store/system/system_manager.h"

void TSystemManager::EncryptBox(TBoxObject& box, const std::string& password, const TCipherProgress& progress) {
  EncryptMailbox(box.Box(), password, progress);
  events_->MailboxCipherChanged(box);
}

void TSystemManager::DecryptBox(TBoxObject& box, const std::string& password, const TCipherProgress& progress) {
  DecryptMailbox(box.Box(), password, progress);
  events_->MailboxCipherChanged(box);
}
