// The Edit and Effects menus and the Dimensions command: undo, the clipboard, clearing,
// selecting all, the selection transforms and resizing the page.
#pragma once

#include "glyphora/app/editor.h"
#include "glyphora/convert/page_transform.h"

namespace glyphora::app {

void CommandUndo(Editor* editor);
// Puts the floating selection, else the whole picture, on the clipboard as text (with the
// notice) and as "Glyphora Page". False when the clipboard refused (error shown).
bool CommandCopy(Editor* editor);
void CommandCut(Editor* editor);
// Pastes what the clipboard holds, in the order the paste rules give.
void CommandPaste(Editor* editor);
void CommandClear(Editor* editor);
void CommandSelectAll(Editor* editor);
// The Effects commands are enabled only while the selection tool holds a floating page.
bool EffectsEnabled(const Editor* editor);
void CommandTransform(Editor* editor, Transform transform);
// Resizes the main page as one action (1 ... 500 columns, 1 ... 16000 rows).
int ResizeDocument(Editor* editor, int columns, int rows);

}  // namespace glyphora::app
