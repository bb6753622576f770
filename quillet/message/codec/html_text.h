// A plain rendering of an HTML text, for the display text of a message that has no plain
// text (its preview, a reply's quote, printing) and for the viewer's HTML fallback.
#pragma once

#include <string>

// The text of html (GBK bytes, or ASCII-compatible bytes already in the system code
// page) as GBK text with CR LF line ends, ended by CR LF unless it is empty:
// - tags are removed; the content of style, script and title elements, comments,
//   declarations ("<!DOCTYPE ...>") and processing instructions are dropped;
// - p, h1-h6, blockquote, pre, table, ul, ol, dl and hr separate paragraphs (a blank
//   line); div, li, tr, dt, dd and the other common block elements start a new line;
//   br ends the line; each li starts with "* "; table cells are separated by a TAB;
// - outside pre, runs of white space are one space, and white space at the start and
//   end of a line is dropped; inside pre it is kept;
// - runs of blank lines become one blank line; leading blank lines are dropped;
// - entities are decoded: &amp; &lt; &gt; &quot; &apos; &nbsp; (a space) and a few other
//   common named ones, and numeric ones (&#NNN; &#xHH;, the ";" may be missing),
//   converted to GBK (128..159 are read as windows-1252, as browsers do); a character
//   GBK cannot hold, a control character and an invalid number become "?"; an unknown
//   entity stays as written.
// A "<" that does not start a tag ("a < b") is text; a tag or comment left open at the
// end of the text drops the rest.
std::string HtmlToText(const std::string& html);
