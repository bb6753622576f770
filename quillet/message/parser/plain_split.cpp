// The plain split of a message without MIME: text, and uuencoded blocks found at line
// starts ("begin 644 name" ... "end").
#include <string>

#include "quillet/message/parser/attachment_names.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/parser/find_at_line_start.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/header/mime_params.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/parser_texts.h"
#include "quillet/message/parser/message_lines.h"

using namespace msgdecode;

namespace {

struct TUUBlock {
  std::int64_t start = 0;  // first byte of the "begin" line
  std::int64_t end = 0;    // just after the three letters "end"
  std::string fileName;
};

// The next complete uuencoded block in [from, end). A "begin " line that does not open a
// block is passed over; a block without "end" after it ends the search.
bool FindUUBlock(TStream& stream, std::int64_t from, std::int64_t end, TLineEnds ends, TUUBlock& block) {
  std::string line, next;
  for (;;) {
    stream.SetPosition(from);
    if (!FindAtLineStart(stream, "begin ", end - from, false, false, ends)) return false;
    std::int64_t beginAt = stream.Position();
    std::int64_t beginLineEnd;  // its line end
    {
      TLineReader reader(stream, beginAt, end - beginAt, ends);
      ReadMessageLine(reader, line);
      ReadMessageLine(reader, next);
      beginLineEnd = beginAt + static_cast<std::int64_t>(line.size());
    }
    if (!IsUUBeginLine(line, next, block.fileName)) {
      from = beginLineEnd;
      continue;
    }
    stream.SetPosition(beginLineEnd);
    if (!FindAtLineStart(stream, "end", end - beginLineEnd, false, false, ends)) return false;
    block.start = beginAt;
    block.end = stream.Position() + 3;
    return true;
  }
}

}  // namespace

void TMsgDecode::SplitPlain() {
  if (!headerEnded_) throw Exception(parser_texts::k_plainFormat);
  const std::int64_t end = offset_ + size_;
  const std::string charset = GetMimeParam("charset", GetField(header_, "Content-Type"));
  // The body starts at the line end of the empty line (its CR, or its LF in a bare-LF
  // message), so that a block on the first body line is found at a line start too.
  std::int64_t current = emptyLineStart_;
  auto addText = [&](std::int64_t upTo) {
    if (upTo <= current) return;
    TMsgSection text;
    text.Charset = charset;
    text.Start = current;
    text.Length = upTo - current;
    text.Level = level_;
    sections_.push_back(std::move(text));
  };

  TUUBlock block;
  while (current < end) {
    if (!TakePart() || !FindUUBlock(*stream_, current, end, lineEnds_, block)) break;
    addText(block.start);
    TMsgSection uu;
    uu.Kind = TTransferKind::UUEncode;
    uu.FileName = SafeAttachmentName(block.fileName);
    uu.Charset = k_unableToGet;
    uu.Start = block.start;
    uu.Length = block.end - block.start;
    uu.Level = level_;
    sections_.push_back(std::move(uu));
    current = block.end;
  }
  addText(end);
}
