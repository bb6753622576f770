#include "quillet/store/system/msg_encode.h"

#include "platform/file.h"
#include "quillet/common/text_format.h"
#include "quillet/message/composer/composer_texts.h"
#include "quillet/store/mailbox/mail_box.h"

TMsgEncode::TMsgEncode(std::string mailboxPath, TMailHead& head, const TComposeSettings& settings,
                       TUserPrompts& prompts)
    : mailboxPath_(std::move(mailboxPath)), head_(head), settings_(settings), prompts_(prompts),
      boundary_(MakeBoundary()) {}

void TMsgEncode::DropMissingAttachments() {
  TStringList present;
  for (const std::string& path : Input.Attachments) {
    if (platform::FileExists(path)) present.push_back(path);
    else prompts_.ShowMessage(FormatText(composer_texts::k_fileMissing, {path}));
  }
  Input.Attachments.swap(present);
}

void TMsgEncode::Encode(bool full) {
  TMailBox box(mailboxPath_);
  if (box.IsEncrypted()) throw Exception(composer_texts::k_mailboxEncrypted);
  DropMissingAttachments();
  Input.Priority = head_.Priority;
  TMessageWriter writer(settings_, Input, boundary_);
  std::string dataPath = box.BeginAppend();
  try {
    TFileStream out(dataPath, TFileStream::Mode::OpenReadWrite);
    std::int64_t start = out.Seek(0, TSeekOrigin::End);
    writer.WriteHeader(out);
    if (full) writer.WriteContent(out);
    else writer.WriteRawBody(out);
    out.Flush();
    head_.Size = static_cast<std::uint32_t>(out.Position() - start);
  } catch (...) {
    try {
      box.AbandonAppend();
    } catch (const Exception&) {
      // The text stays as unindexed space, which the next compaction removes.
    }
    throw;
  }
  head_.HasAttachment = Input.Attachments.empty() ? 0 : 1;
  head_.Id = -1;
  box.StoreStreamed(head_);
}

std::string SenderText(const TProfileFile& ini, bool subject8bit) {
  std::string name = HeaderSafe(Trim(ini.ReadString("Connection", "name", "")));
  std::string address = HeaderSafe(Trim(ini.ReadString("Connection", "MailAddress", "")));
  if (name.empty()) return address;
  if (!subject8bit && HasEightBit(name)) name = EncodeWord(name);
  else if (name.find(',') != std::string::npos) name = "\"" + name + "\"";
  return name + " <" + address + ">";
}
