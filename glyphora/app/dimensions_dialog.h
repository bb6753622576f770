// The Dimensions dialog: the page's columns and rows, refused outside 1 ... 500 and
// 1 ... 16000 with a message that states the ranges.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

// Runs the dialog; on OK the page is resized as one undoable action.
void DimensionsDialog(Editor* editor);
// The dialog's own procedure (tests drive the dialog made with CreateDialogParamW).
INT_PTR CALLBACK DimensionsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// What the dialog works on: the editor, and whether it was confirmed.
struct DimensionsState {
  HWND hwnd = nullptr;
  Editor* editor = nullptr;
  bool confirmed = false;
};

}  // namespace glyphora::app
