// The text tool's handlers: a press starts a text at the cell (or grabs the text to move
// it), keys type into it at its caret, and pasted text goes in at the caret too.
#pragma once

#include <string>

#include "glyphora/app/editor.h"

namespace glyphora::app {

// Puts the text tool's Key, Mouse, Active, Recalc and Placing handlers and the big-text
// tool's Key and Recalc into own (by tool index).
void TextHandlersFill(ToolHandlers own[k_toolCount]);
// Inserts pasted text at the caret of the text tool's text (one started at the cell the
// mouse was last over when none floats), translated to plain characters.
int TextToolPaste(Editor* editor, const std::string& text);

}  // namespace glyphora::app
