// HTML bodies in the display text. A message whose own sections hold no plain-text body
// (its only text is HTML, as mailers send it with "HTML only") shows each HTML body
// rendered as plain text where the body stands, so that the preview, a reply's quote and
// printing have text. The HTML body stays in the attachment list as "unknown.HTM", which
// the viewer's HTML page uses. Where a plain-text body exists (a multipart/alternative
// with a text/plain part, a text/plain body beside an HTML one), HTML is not rendered.
#pragma once

#include "quillet/common/stream.h"
#include "quillet/message/parser/msg_decode.h"

namespace msgdecode {

// An unnamed body that the display text shows as plain text: its type is text/* other
// than text/html, or it has no type.
bool IsPlainTextBody(const TMsgSection& section);
// A text/html body without a name of its own (it carries the name an unnamed HTML part
// gets, "unknown.HTM").
bool IsHtmlBody(const TMsgSection& section);
// Appends the plain rendering (HtmlToText) of the HTML body to out: the body is decoded
// by its transfer encoding and taken from its charset (the charset parameter, else a
// "charset=" in the HTML's own head) into the system code page. A body that cannot be
// decoded adds nothing; it stays an attachment, and the message is still shown.
void AppendHtmlAsText(TStream& source, const TMsgSection& section, TStream& out);

}  // namespace msgdecode
