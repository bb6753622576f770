// Reading the lines of a message range, whichever way its lines end.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/line_reader.h"
#include "quillet/common/stream.h"
#include "quillet/message/parser/msg_decode.h"

namespace msgdecode {

// How a message's lines end: Any when its first line ends in a bare LF (a file saved by a
// program that writes Unix line ends), else Cr, as stored messages are written.
TLineEnds DetectLineEnds(TStream& stream, std::int64_t start, std::int64_t end);

// EMsgDecodeError "Can not read message, message format error".
[[noreturn]] void ThrowCanNotRead();

// The next line, as TLineReader::ReadLine; EMsgDecodeError "Can not read message, message
// format error" when the stream ended inside the range.
inline bool ReadMessageLine(TLineReader& reader, std::string& line) {
  bool read = reader.ReadLine(line);
  if (reader.StreamEndedEarly()) ThrowCanNotRead();
  return read;
}

// Reads exactly count bytes of the source from position, or throws EMsgDecodeError
// "Can not read message, message format error" when the stream ends first.
void ReadExactly(TStream& source, std::int64_t position, char* buffer, std::int32_t count);

// The section's bytes with CR LF line ends, in copy; the result is the section as a view
// of that copy. Decoding a message with bare-LF line ends goes through it, so its output
// has CR LF line ends like that of any other message.
TMsgSection CrLfCopyOf(TStream& source, const TMsgSection& section, TMemoryStream& copy);

}  // namespace msgdecode
