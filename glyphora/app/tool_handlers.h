// The editor's handlers of the tools (what each tool does with the mouse and the
// keyboard), built into the tool table.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

// Fills editor->tools from the handlers of this file.
void ToolHandlersInstall(Editor* editor);

}  // namespace glyphora::app
