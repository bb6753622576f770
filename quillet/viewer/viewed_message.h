// One message as the viewer and the preview pane show it: the envelope fields, the display
// text, the attachment rows, the text of its HTML part and its raw text. The message's
// text is read into memory, so no mailbox file stays open while it is shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/store/mailbox/mail_box.h"
#include "quillet/store/system/system_settings.h"

// The read-only fields of the envelope panel: From, To and Subject decoded, Date as
// written.
struct TEnvelopeFields {
  std::string sender;
  std::string receiver;
  std::string date;
  std::string subject;
};

struct TAttachmentRow {
  std::string name;
  std::string contentType;
  std::int64_t encodedSize = 0;  // bytes of the part as stored
};

// What the body pane shows.
struct TMessageDisplay {
  TEnvelopeFields envelope;
  std::string body;      // the parser's display text
  bool wordWrap = false; // [Receive] Wordwrap
  // The page is shown (UseWEB and the message has an HTML page); where no browser
  // control exists, HtmlText in the body pane and the page opened with the shell.
  bool showHtml = false;
  std::vector<TAttachmentRow> attachments;
};

class TViewedMessage {
 public:
  // The live message of the mailbox (EIdxFileError "No message with id N" when there is
  // none; EOperateOnEncrypted for an encrypted mailbox), parsed. An error inside a nested
  // message is shown through prompts; decoding errors pass to the caller.
  TViewedMessage(TMailBox& box, std::int32_t id, TUserPrompts& prompts);
  // A message text, parsed the same way.
  TViewedMessage(std::string text, TUserPrompts& prompts);
  TViewedMessage(const TViewedMessage&) = delete;
  TViewedMessage& operator=(const TViewedMessage&) = delete;

  TMsgDecode& Decoded() { return decode_; }
  TEnvelopeFields Envelope() const;
  TMessageDisplay Display(const TSystemSettings& settings);
  // The plain text of the HTML page part (tags stripped, entities decoded, its charset
  // taken into GBK); empty when the message has no HTML page.
  std::string HtmlText();
  // The raw message window: the header lines joined with CR LF, and the whole text.
  std::string RawHeader() const;
  const std::string& RawText() const { return source_.Bytes(); }

 private:
  TMemoryStream source_;
  TMsgDecode decode_;
};
