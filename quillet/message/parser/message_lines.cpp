#include "quillet/message/parser/message_lines.h"

#include <algorithm>

#include "quillet/common/range_stream.h"
#include "quillet/message/parser/parser_texts.h"

namespace msgdecode {

// Looks at the first line end only, through a small buffer: it runs once per message.
TLineEnds DetectLineEnds(TStream& stream, std::int64_t start, std::int64_t end) {
  char buffer[512];
  stream.SetPosition(start);
  for (std::int64_t position = start; position < end;) {
    std::int32_t n = stream.Read(buffer, static_cast<std::int32_t>(std::min<std::int64_t>(sizeof buffer, end - position)));
    if (n <= 0) break;
    for (std::int32_t i = 0; i < n; ++i) {
      if (buffer[i] == '\r') return TLineEnds::Cr;
      if (buffer[i] == '\n') return TLineEnds::Any;
    }
    position += n;
  }
  return TLineEnds::Cr;
}

void ThrowCanNotRead() { throw EMsgDecodeError(parser_texts::k_canNotRead); }

void ReadExactly(TStream& source, std::int64_t position, char* buffer, std::int32_t count) {
  source.SetPosition(position);
  std::int32_t done = 0;
  while (done < count) {
    std::int32_t got = source.Read(buffer + done, count - done);
    if (got <= 0) ThrowCanNotRead();
    done += got;
  }
}

TMsgSection CrLfCopyOf(TStream& source, const TMsgSection& section, TMemoryStream& copy) {
  TRangeStream body(source, section.Start, section.Length);
  TMemoryStream raw;
  raw.CopyFrom(body, section.Length);
  copy.Bytes() = WithCrLfLineEnds(raw.Bytes());
  copy.SetPosition(0);
  TMsgSection result = section;
  result.Start = 0;
  result.Length = copy.Size();
  result.LineEnds = TLineEnds::Cr;
  return result;
}

}  // namespace msgdecode
