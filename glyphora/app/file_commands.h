// The File menu: new, open, save, save as, and the question before a document with
// changes is closed.
#pragma once

#include <string>

#include "glyphora/app/editor.h"

namespace glyphora::app {

// "Save Changes to Document?": Yes saves (false when the save fails or is cancelled), No
// forgets the changes, Cancel keeps the document (false). True without asking when
// there are no changes.
bool ConfirmClose(Editor* editor);
// A new untitled document of the default size, after ConfirmClose.
void CommandNew(Editor* editor);
// The open dialog, then the file (after ConfirmClose).
void CommandOpen(Editor* editor);
// Opens the file as the document, after ConfirmClose; false (the old document kept) when
// refused or when the file cannot be opened (the error shown).
bool OpenPath(Editor* editor, const std::string& path);
// Save: to the document's path, else through Save As. False when not saved.
bool CommandSave(Editor* editor);
bool CommandSaveAs(Editor* editor);
// Shows the document's name in the frame's title.
void UpdateTitle(Editor* editor);
// Makes document the editor's document (made with link), freeing the one before.
void InstallDocument(Editor* editor, Document* document, ViewLink* link);
// A new untitled document of the default size, without asking (the start of the program).
int StartDocument(Editor* editor);

}  // namespace glyphora::app
