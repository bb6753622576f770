// One downloaded message as the POP3 client hands it to the store.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/datetime.h"
#include "quillet/common/stream.h"

class TUserPrompts;

struct TMailMessage {
  std::string From;     // decoded "From:" value, at most 255 bytes
  std::string Subject;  // decoded "Subject:" value, at most 255 bytes
  std::int32_t Size = 0;  // the text's size; for a header-only fetch the size from LIST
  TDateTime Date = 0;
  std::uint8_t Priority = 3;  // 1 high, 3 normal, 5 low
  std::string PartialId;      // of a "message/partial" content type; empty otherwise
  std::int32_t PartialNumber = 0;
  std::int32_t PartialTotal = 0;
  std::string Uidl;           // at most 255 bytes; empty when the server gave none
  TStream* Stream = nullptr;  // the text, CR LF line ends; owned by the POP3 session
  std::string TempFile;       // the file behind Stream; empty when the text is in memory
};

// The record of the text in `stream` (its header read from the start up to the first
// empty line; the stream is left at position 0). A header that cannot be read is shown
// through `prompts` and the record is still given, with what could be filled.
TMailMessage MakeMailMessage(TStream& stream, const std::string& tempFile, const std::string& uidl,
                             TUserPrompts& prompts);
