// The preferences dialog: the display font (fixed-width fonts only) and its size, the
// picture characters, the notice, the size of new documents, and the two presets. On OK
// the record is saved and the font greys are measured again.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

struct PreferencesState {
  HWND hwnd = nullptr;
  Editor* editor = nullptr;
  bool confirmed = false;
};

void PreferencesDialog(Editor* editor);
INT_PTR CALLBACK PreferencesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Measures the display font again and makes it anew (after its face, size or ramp changed).
int RemeasureFont(Editor* editor);

}  // namespace glyphora::app
