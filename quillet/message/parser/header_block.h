// Reading the header of a message or of a body part: physical lines up to the first
// empty line, inside a byte range.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/line_reader.h"
#include "quillet/common/lines.h"
#include "quillet/common/stream.h"

namespace msgdecode {

struct THeaderBlock {
  TStringList lines;                // one entry per physical line, without its line end
  bool ended = false;               // an empty line closed the header inside the range
  std::int64_t emptyLineStart = 0;  // position of that empty line's line end
  std::int64_t bodyStart = 0;       // first byte after the empty line (range end if none)
};

// EMsgDecodeError "Can not read message, message format error" when the stream ends
// inside the range before the header does.
THeaderBlock ReadHeaderBlock(TStream& stream, std::int64_t start, std::int64_t end, TLineEnds ends);

// Whether the header has a field of that name (any case), e.g. "Mime-Version".
bool HasHeaderField(const TStringList& header, const std::string& name);

}  // namespace msgdecode
