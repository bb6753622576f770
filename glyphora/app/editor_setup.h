// Making the editor ready before its frame exists: the display font and its grey table,
// the tool table and the platform's drawing; and freeing what that made.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

// 0 or the system error of measuring or making the font.
int EditorStart(Editor* editor);
void EditorFinish(Editor* editor);
// The frame, its children and its first document, shown; null when they cannot be made.
HWND EditorOpenWindow(Editor* editor, int show);

}  // namespace glyphora::app
