#include "quillet/message/parser/message_lines.h"

#include <algorithm>

#include "quillet/common/range_stream.h"
#include "quillet/message/parser/msg_errors.h"

namespace msgdecode {

TLineEnds DetectLineEnds(TStream& stream, std::int64_t start, std::int64_t end) {
  TLineReader reader(stream, start, end - start, TLineEnds::Any);
  std::string line;
  if (!reader.ReadLine(line)) return TLineEnds::Cr;
  std::int64_t lineEnd = start + static_cast<std::int64_t>(line.size());
  char first = 0;
  stream.SetPosition(lineEnd);
  if (lineEnd >= end || stream.Read(&first, 1) != 1) return TLineEnds::Cr;
  return first == '\n' ? TLineEnds::Any : TLineEnds::Cr;
}

bool ReadMessageLine(TLineReader& reader, std::string& line) {
  bool read = reader.ReadLine(line);
  if (reader.StreamEndedEarly()) throw EMsgDecodeError(msg_errors::kCanNotRead);
  return read;
}

void ReadExactly(TStream& source, std::int64_t position, char* buffer, std::int32_t count) {
  source.SetPosition(position);
  std::int32_t done = 0;
  while (done < count) {
    std::int32_t got = source.Read(buffer + done, count - done);
    if (got <= 0) throw EMsgDecodeError(msg_errors::kCanNotRead);
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
