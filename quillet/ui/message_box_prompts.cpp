#include "quillet/ui/message_box_prompts.h"

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "quillet/ui/transfer_resources.h"
#include "quillet/ui/ui_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

struct TPasswordDialog {
  HWND hwnd = nullptr;
  const std::string* question;
  std::string typed;
};

INT_PTR CALLBACK PasswordProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = kit::DialogState<TPasswordDialog>(hwnd, message, lParam);
  if (dialog == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      kit::SetWindowTextGbk(GetDlgItem(hwnd, QUILLET_IDC_PASSWORD_QUESTION), *dialog->question);
      CheckDlgButton(hwnd, QUILLET_IDC_PASSWORD_REMEMBER, BST_CHECKED);  // a typed password is kept for the run
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) dialog->typed = kit::DialogItemTextGbk(hwnd, QUILLET_IDC_PASSWORD_EDIT);
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void TMessageBoxPrompts::ShowMessage(const std::string& text) {
  show_(owner_, text, title_, MB_OK | MB_ICONINFORMATION, kit::k_chineseCaptions);
}

bool TMessageBoxPrompts::AskYesNo(const std::string& text) {
  return show_(owner_, text, title_, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, kit::k_chineseCaptions) == IDYES;
}

bool TMessageBoxPrompts::AskPassword(const std::string& question, std::string& password) {
  TPasswordDialog dialog{nullptr, &question, std::string()};
  const INT_PTR answer = DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_PASSWORD), owner_,
                                         PasswordProcedure, reinterpret_cast<LPARAM>(&dialog));
  if (answer != IDOK) return false;
  password = dialog.typed;
  return true;
}

}  // namespace quillet::ui
