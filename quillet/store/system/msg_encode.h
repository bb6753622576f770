// TMsgEncode: composes an outgoing message (message_writer.h) and appends it, with its
// header record, to a mailbox through the streamed append, so that attachments go from
// their files into the mailbox piece by piece. It lives beside the store because the
// message library sits below it.
#pragma once

#include <string>

#include "quillet/common/user_prompts.h"
#include "quillet/message/composer/message_writer.h"
#include "quillet/store/mailbox/mail_head.h"

class TMsgEncode {
 public:
  // The head is the record to add; its Priority gives the message's priority.
  TMsgEncode(std::string mailboxPath, TMailHead& head, const TComposeSettings& settings, TUserPrompts& prompts);

  TComposeInput Input;  // filled by the caller before Encode

  // full: the complete message (for the outbox); else the header, an empty line and the
  // body as typed (a message saved while being written). Missing attachment files are
  // reported and dropped. Raises k_noRecipient or k_mailboxEncrypted before anything is
  // written; any later failure cuts the data file back and adds no record. The head gets
  // the new id, size and attachment flag.
  void Encode(bool full);

 private:
  void DropMissingAttachments();

  std::string mailboxPath_;
  TMailHead& head_;
  TComposeSettings settings_;
  TUserPrompts& prompts_;
  std::string boundary_;
};

// The From text of the account settings: [Connection] "name" <"MailAddress">, or the bare
// address when no name is set; an 8-bit name is an encoded word when Subject8bit is off.
std::string SenderText(const TProfileFile& ini, bool subject8bit);
