// The MIME split: a multipart body is cut at its delimiter lines ("--" + boundary), each
// part parsed in turn; nested multiparts are split the same way within their own range.
#include <string>

#include "quillet/message/parser/find_at_line_start.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/parser_texts.h"
#include "quillet/message/parser/message_lines.h"

using namespace msgdecode;

namespace {

// Reads the delimiter line that starts at position; the result is the first byte after
// it. closing is set when it is the closing delimiter (delimiter + "--").
std::int64_t PassDelimiterLine(TStream& stream, std::int64_t position, std::int64_t end,
                               const std::string& delimiter, TLineEnds ends, bool& closing) {
  TLineReader reader(stream, position, end - position, ends);
  std::string line;
  ReadMessageLine(reader, line);
  size_t last = line.find_last_not_of(" \t");
  line.erase(last == std::string::npos ? 0 : last + 1);
  closing = line == delimiter + "--";
  return reader.Position();
}

}  // namespace

void TMsgDecode::SplitMime() {
  const std::string contentType = GetField(header_, "Content-Type");
  const TRange message{offset_, offset_ + size_};
  if (!IsMultipartType(contentType) || level_ >= k_maxNestingLevel) {
    ParsePart(message, level_);  // one part; a multipart too deep is kept whole
    return;
  }
  const std::string boundary = BoundaryOf(contentType);
  if (!headerEnded_) throw Exception(parser_texts::k_partFormat);
  SplitMultipart({bodyStart_, message.end}, boundary, level_ + 1);
}

void TMsgDecode::SplitMultipart(TRange range, const std::string& boundary, int level) {
  const std::string delimiter = "--" + boundary;
  // The preamble runs up to the first line that begins with the delimiter (a mailer that
  // adds text after the opening delimiter still has its parts read). A body without one
  // is shown as it stands rather than not at all. Later delimiter lines must match exactly.
  stream_->SetPosition(range.start);
  if (!FindAtLineStart(*stream_, delimiter, range.Length(), false, true, lineEnds_)) {
    AddRawText(range, level);
    return;
  }
  bool closing = false;
  std::int64_t position = PassDelimiterLine(*stream_, stream_->Position(), range.end, delimiter, lineEnds_, closing);
  while (!closing && position < range.end) {
    if (!TakePart()) {
      AddRawText({position, range.end}, level);
      return;
    }
    // Each delimiter line follows a line end, so a part that is empty still ends at the
    // delimiter right at its start.
    stream_->SetPosition(position);
    std::int64_t partEnd = range.end;
    std::int64_t next = range.end;
    if (FindAtLineStart(*stream_, delimiter, range.end - position, true, true, lineEnds_)) {
      partEnd = stream_->Position();
      next = PassDelimiterLine(*stream_, partEnd, range.end, delimiter, lineEnds_, closing);
    }
    if (partEnd > position) ParsePart({position, partEnd}, level);
    position = next;
  }
}
