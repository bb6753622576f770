// The line routines every codec, the parser and the composer share.
#pragma once

#include <string>
#include <vector>

#include "quillet/common/stream.h"

using TStringList = std::vector<std::string>;

// Writes the text followed by CR LF.
void WriteLine(TStream& stream, const std::string& text);

// Reads at most 255 bytes from the current position. If a CR is among them the line is
// the text before the first CR and the position moves past the CR and a following LF;
// without a CR the 255 bytes, cut at a NUL byte, are the line and the position stays
// after them; at the end of the stream the line is empty. An empty line and the end of
// the stream therefore look alike.
void ReadLine(TStream& stream, std::string& text);

// The lines of a text, split at each LF; a CR right before a line's end (its LF or the
// end of the text) is dropped, any other CR stays in its line. A last line without a
// line end counts too, so an empty text has no lines.
TStringList SplitLines(const std::string& text);

// The text with every line end as CR LF: a bare LF and a bare CR each become CR LF.
// Messages are stored and delivered that way, whatever program saved them.
std::string WithCrLfLineEnds(const std::string& text);
