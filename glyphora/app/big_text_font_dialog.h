// The big-text font dialog: a face from the system's fonts, the size (4 ... 127) and the
// style. On OK they go into the preferences record, which is saved, and the big-text tool
// draws with them from then on.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

struct BigTextFontState {
  HWND hwnd = nullptr;
  Editor* editor = nullptr;
  bool confirmed = false;
};

// Runs the dialog over the editor's preferences.
void BigTextFontDialog(Editor* editor);
// The dialog's own procedure (tests drive the dialog made with CreateDialogParamW).
INT_PTR CALLBACK BigTextFontProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace glyphora::app
