// The files made from one shown message's attachments: temporary files for opening (each
// written once per run, see TMsgAttachList), files the user chose for saving, and the
// HTML page whose "cid:" pictures are written beside it.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/user_prompts.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/viewer/msg_attach_list.h"
#include "quillet/viewer/shell_open.h"

// Which message the attachments belong to, and where temporary files go.
struct TAttachmentPlace {
  std::string dataPath;  // the mailbox's data file
  std::int32_t messageId = -1;
  std::string tempFolder;
};

class TAttachmentFiles {
 public:
  // The message is decoded already; it, the list and the file check are not owned.
  TAttachmentFiles(TMsgDecode& message, TAttachmentPlace place, TMsgAttachList& list, TFileExists exists);

  // The attachment's temporary file: the recorded one while it exists, else a new one
  // (TempFileFor) written and recorded. The attachment is decoded in memory first, so a
  // decoding error (raised as the parser raises it) leaves no file and no record;
  // EFileException kind write when the file cannot be written.
  std::string FileFor(int index);
  // Writes the attachment to the chosen file in one step: a decoding or disk error
  // leaves a file that was there unchanged.
  void SaveAs(int index, const std::string& fileName);
  // FileFor, then the shell; a result below 32 is shown (ShellOpenErrorText). True when
  // the shell started the file.
  bool Open(int index, TShellOpen& shell, TUserPrompts& prompts);
  // The HTML page: every attachment with a content id written to its temporary file;
  // then the page (HtmlPageIndex, html_page.h): its recorded file while it exists, else
  // the decoded page with its pictures (PageWithPictures) written to a new temporary file
  // and recorded. Empty when the message has no such page.
  std::string HtmlPage();

 private:
  TAttachKey KeyOf(int index) const { return {place_.dataPath, place_.messageId, index}; }
  std::string Decoded(int index);
  std::string WriteNewFile(int index, const std::string& bytes);

  TMsgDecode& message_;
  TAttachmentPlace place_;
  TMsgAttachList& list_;
  TFileExists exists_;
};
