#include "quillet/message/parser/header_block.h"

#include "quillet/common/gbk.h"

#include "quillet/message/parser/message_lines.h"

namespace msgdecode {

THeaderBlock ReadHeaderBlock(TStream& stream, std::int64_t start, std::int64_t end, TLineEnds ends) {
  THeaderBlock block;
  TLineReader reader(stream, start, end - start, ends);
  std::string line;
  for (;;) {
    std::int64_t lineStart = reader.Position();
    if (!ReadMessageLine(reader, line)) break;
    if (line.empty()) {
      block.ended = true;
      block.emptyLineStart = lineStart;
      break;
    }
    block.lines.push_back(line);
  }
  block.bodyStart = reader.Position();
  if (!block.ended) block.emptyLineStart = block.bodyStart;
  return block;
}

bool HasHeaderField(const TStringList& header, const std::string& name) {
  for (const std::string& line : header) {
    if (line.size() <= name.size() || !gbk::StartsWithNoCase(line, name)) continue;
    size_t i = name.size();
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < line.size() && line[i] == ':') return true;
  }
  return false;
}

}  // namespace msgdecode
