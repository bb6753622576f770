// The frame: the menu bar, the tool bar on the left, the document view, and the
// "Active Help" line along the bottom; the commands of the menu are dispatched here.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

constexpr wchar_t k_frameClass[] = L"GlyphoraFrame";

// Creates the frame with its children and its first document (not yet shown).
HWND FrameCreate(Editor* editor);
// Runs one menu command (the same path as WM_COMMAND).
void FrameCommand(Editor* editor, int command);

}  // namespace glyphora::app
