#include "quillet/ui/find_dialog.h"

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "quillet/ui/mail_commands_resources.h"

namespace quillet::ui {

namespace kit = platform::win32::ui;

namespace {

void ShowOptions(HWND hwnd, const TFindOptions& options) {
  kit::SetWindowTextGbk(GetDlgItem(hwnd, QUILLET_IDC_FIND_EDIT), options.text);
  CheckDlgButton(hwnd, QUILLET_IDC_FIND_HEADERS, options.headersOnly ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd, QUILLET_IDC_FIND_CASE, options.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
}

TFindOptions ReadOptions(HWND hwnd) {
  return {kit::DialogItemTextGbk(hwnd, QUILLET_IDC_FIND_EDIT),
          IsDlgButtonChecked(hwnd, QUILLET_IDC_FIND_HEADERS) == BST_CHECKED,
          IsDlgButtonChecked(hwnd, QUILLET_IDC_FIND_CASE) == BST_CHECKED};
}

}  // namespace

INT_PTR CALLBACK FindDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = kit::DialogState<TFindDialog>(hwnd, message, lParam);
  if (dialog == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      ShowOptions(hwnd, dialog->options);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) dialog->options = ReadOptions(hwnd);
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(hwnd, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

bool AskFind(HWND owner, TFindOptions& options) {
  TFindDialog dialog{nullptr, options};
  const INT_PTR answer = DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_FIND), owner,
                                         FindDialogProc, reinterpret_cast<LPARAM>(&dialog));
  if (answer != IDOK) return false;
  options = dialog.options;
  return true;
}

}  // namespace quillet::ui
