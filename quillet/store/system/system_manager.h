// TSystemManager: the one process-wide object that holds the user's settings, the mail
// root, the mail assistant and the mailbox set, and carries out the mailbox commands of
// the main window. The composition root creates it over the ini file after the start-up
// check and keeps it for the whole run.
//
// Creation, in this order:
//   1. the version text and a TSetupManager over the ini file;
//   2. [System] "mailroot", which must name an existing directory (ESystemError
//      "Directory not find: " + path), and the TAssistence over mail root + "assist.dat";
//   3. the settings of system_settings.h (the GUI creates its default font here);
//   4. the address folder "Address" beside the ini file, created when absent, and the
//      path of the default address book: that folder + the [System] "addressbox" name
//      (default "address"), so every address book lives in the one folder; the book
//      itself is opened by the address-book store when it is first used;
//   5. the mailbox set (mailbox_set.h) from the [System] names "inbox", "outbox",
//      "sentbox", "trashbox" (defaults in, out, sent, trash) and "ubi.inf" (the GUI loads
//      its priority icons and cursors here);
//   6. the store's change notifier, forwarding to TSystemEvents.
// The list of typed passwords belongs to the transport, which is built over the store, so
// the composition root owns it beside the manager rather than the manager owning it.
//
// Shutdown (the destructor): the change notifier is removed first, so that nothing
// reaches a front end that is going away; then the assistant's rules are saved when
// modified (a failure is shown); the mailbox entries go last. ubi.inf needs nothing: it
// is rewritten on every change of the set. Settings are saved by SaveSettings only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/assistant/assistence.h"
#include "quillet/store/assistant/deliver_message.h"
#include "quillet/store/system/address_service.h"
#include "quillet/store/system/mailbox_cipher.h"
#include "quillet/store/system/mailbox_set.h"
#include "quillet/store/system/mark_change.h"
#include "quillet/store/system/setup_manager.h"
#include "quillet/store/system/system_events.h"
#include "quillet/store/system/system_settings.h"

// What the composition root hands over besides the ini file.
struct TSystemContext {
  std::string versionText;  // the program's file version
  TUserPrompts& prompts;
  TSystemEvents& events;
};

enum class TPackResult { Packed, NotNeeded, Encrypted, Refused, DiskFull };

// Of a command over several ids: the ids that were changed (or, for moves, their new ids
// in the target, in the order given) and those that have no live message.
struct TMessagesResult {
  bool refused = false;  // nothing was done; the reason was shown
  std::vector<std::int32_t> done;
  std::vector<std::int32_t> missing;
};

class TSystemManager {
 public:
  // See the creation order above. Throws ESystemError or EFileException.
  TSystemManager(const std::string& iniPath, const TSystemContext& context);
  ~TSystemManager();
  TSystemManager(const TSystemManager&) = delete;
  TSystemManager& operator=(const TSystemManager&) = delete;

  const std::string& VersionText() const { return versionText_; }
  const TSetupManager& Setup() const { return setup_; }
  const std::string& MailRoot() const { return boxes_->MailRoot(); }
  TAssistence& Assistant() { return *assistant_; }
  TSystemSettings& Settings() { return settings_; }
  // Writes the settings back into the ini file in one step.
  void SaveSettings() const { SaveSystemSettings(settings_, setup_); }
  const std::string& AddressFolder() const { return addressFolder_; }
  const std::string& AddressBookPath() const { return addressBookPath_; }
  TMailboxSet& Boxes() { return *boxes_; }

  // The set's changes (mailbox_set.h). A rename takes along the assistant's rules that
  // named the old name, and saves them at once.
  TBoxObject& CreateBox(const std::string& name) { return boxes_->Create(name); }
  void RenameBox(TBoxObject& box, const std::string& newName);
  bool DeleteBox(TBoxObject& box) { return boxes_->Delete(box, *prompts_); }

  // Recipient expansion and sender names through the address service the composition
  // root installed (address_service.h; not owned). Without one, every item of the list
  // is taken as an address and no address has a name.
  void SetAddressService(TAddressService* service) { addressService_ = service; }
  void ExpandRecipients(const std::string& list, TStringList& addresses, TStringList& unknown) const;
  std::string AddressNameOf(const std::string& address) const;

  // Set by the send run while it reads the outbox.
  void SetSending(bool sending) { sending_ = sending; }

  // Compaction (box_pack.cpp): the outbox while a send runs is refused with
  // k_textOutboxSending shown; an encrypted mailbox is left silently; only-if-needed
  // compacts only when NeedsPack(AutoPackRate) holds. Status texts before and after.
  TPackResult PackBox(TBoxObject& box, bool onlyIfNeeded);
  // Every mailbox (stopping after a full disk); when not only-if-needed, the default
  // address book too when it exists.
  void PackAll(bool onlyIfNeeded);

  // Marking (box_marks.cpp): only records whose field differs are written; `done` holds
  // them, and MessagesChanged reports them.
  TMessagesResult MarkMessages(TBoxObject& box, const std::vector<std::int32_t>& ids, const TMarkChange& change);

  // Moving (message_moves.cpp). Into an encrypted mailbox is refused with
  // k_textMoveToEncrypted shown; within one mailbox nothing moves (`done` = the ids).
  TMessagesResult MoveMessages(TBoxObject& from, const std::vector<std::int32_t>& ids, TBoxObject& to);
  // Moves to the trash mailbox; in the trash mailbox itself the messages are flagged
  // deleted (`done` = the ids deleted).
  TMessagesResult DeleteMessages(TBoxObject& box, const std::vector<std::int32_t>& ids);
  // Asks k_textAskEmptyTrash; Yes flags every message of the trash mailbox deleted.
  bool EmptyTrash();
  // After a successful send: the outbox copy gets State 1 and, with MoveToSentbox, moves
  // to the sent mailbox. Returns where the message now is (the outbox when the move
  // failed); no mailbox when the outbox has no such message.
  struct TSentPlace {
    TBoxObject* box = nullptr;
    std::int32_t id = -1;
  };
  TSentPlace AfterSend(std::int32_t outboxId);

  // The mailbox cipher (box_cipher.cpp, mailbox_cipher.h for the errors): the mailbox's
  // data enciphered into ".BO~" or deciphered back, then MailboxCipherChanged. A failure
  // raises the cipher's exception with the mailbox as it was.
  void EncryptBox(TBoxObject& box, const std::string& password, const TCipherProgress& progress = nullptr);
  void DecryptBox(TBoxObject& box, const std::string& password, const TCipherProgress& progress = nullptr);

  // A received message filed by the assistant (deliver_message.h), the mailboxes taken
  // from the set; the new message is reported by MessagesChanged.
  TDeliveryResult Deliver(TStream& message);
  // One message file stored in the mailbox with the summary delivery gives (line ends
  // made CR LF); reports k_textImported. Returns the new id.
  std::int32_t ImportMessage(TBoxObject& box, const std::string& fileName);
  // The messages' texts into one file (message_export.h for the format), replaced in one
  // step. EIdxFileError "No message with id N" for an id without a live message, before
  // anything is written.
  void ExportMessages(TBoxObject& box, const std::vector<std::int32_t>& ids, const std::string& fileName);

 private:
  // Packs with the status texts and the busy cursor; false when the disk was full.
  bool PackPair(TIdxFile& pair, const std::string& name);

  std::string versionText_;
  TSetupManager setup_;
  TUserPrompts* prompts_;
  TSystemEvents* events_;
  std::unique_ptr<TAssistence> assistant_;
  TSystemSettings settings_;
  std::string addressFolder_;
  std::string addressBookPath_;
  std::unique_ptr<TMailboxSet> boxes_;
  bool sending_ = false;
  TAddressService* addressService_ = nullptr;
};
