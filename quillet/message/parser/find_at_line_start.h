// Forward search for a text at the start of a line, through one window buffer.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/line_reader.h"
#include "quillet/common/stream.h"

// Searches forward from the stream's position, within limit bytes, for CR LF followed by
// text (with ends Any: for an LF followed by text, as in a message with bare-LF line
// ends, where the line itself ends at its CR or LF). Nothing outside those limit bytes is read. With startIsLineStart the position
// itself also counts as a line start (the caller knows that a line begins there).
//
// With exact set, a match counts only when the whole line there is text or text + "--",
// optionally followed by spaces and TABs (the padding a transport may add); the line
// ends at its CR or at the end of the searched bytes.
//
// True with the position on the first byte of text; false with the position at the end
// of the searched bytes. A stream that ends early raises EMsgDecodeError.
bool FindAtLineStart(TStream& stream, const std::string& text, std::int64_t limit, bool exact,
                     bool startIsLineStart = false, TLineEnds ends = TLineEnds::Cr);
