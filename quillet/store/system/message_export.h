// The file that exporting messages writes. One message is its stored text alone, an
// ordinary message file. Several are one mailbox file as mail programs exchange them:
//   - each message starts with the line "From - " + its date as "Www Mmm dd hh:mm:ss yyyy";
//   - its lines follow unchanged, except that a line starting with "From " after any
//     number of ">" gets one more ">" in front (readers take one off again), so no line of
//     a message can be taken for the start of the next;
//   - the message's last line is ended with CR LF when it is not, and an empty line
//     follows each message.
// Line ends are CR LF, as stored.
#pragma once

#include <string>
#include <vector>

#include "quillet/common/datetime.h"

struct TExportedMessage {
  TDateTime date = 0;
  std::string text;
};

std::string ExportFileText(const std::vector<TExportedMessage>& messages);
