#include "glyphora/app/dimensions_dialog.h"

#include <string>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/edit_commands.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"

namespace glyphora::app {

namespace {

namespace ui = platform::win32::ui;

void OnInit(DimensionsState* s) {
  const Page& page = s->editor->document->current.mainPage;
  SetDlgItemInt(s->hwnd, IDC_DIM_COLUMNS, static_cast<UINT>(page.width), FALSE);
  SetDlgItemInt(s->hwnd, IDC_DIM_ROWS, static_cast<UINT>(page.height), FALSE);
}

// Closes the dialog only with both values in range; the resize itself is one action.
void OnOk(DimensionsState* s) {
  int columns = 0, rows = 0;
  bool read = ui::DialogItemNumber(s->hwnd, IDC_DIM_COLUMNS, &columns) &&
              ui::DialogItemNumber(s->hwnd, IDC_DIM_ROWS, &rows);
  if (!read || columns < 1 || columns > k_maxDocWidth || rows < 1 || rows > k_maxDocHeight) {
    EditorAsk(s->editor, ui::ResourceString(STR_DIMENSIONS_RANGE), "Dimensions", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (ResizeDocument(s->editor, columns, rows) != 0) return;
  s->confirmed = true;
  EndDialog(s->hwnd, IDOK);
}

}  // namespace

INT_PTR CALLBACK DimensionsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ui::OkCancelDialogProc<DimensionsState, OnInit, OnOk>(hwnd, message, wParam, lParam);
}

void DimensionsDialog(Editor* editor) {
  DimensionsState state;
  state.editor = editor;
  DialogBoxParamW(ui::ModuleInstance(), MAKEINTRESOURCEW(DLG_DIMENSIONS), editor->frame, DimensionsProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace glyphora::app
