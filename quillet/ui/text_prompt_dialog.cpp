#include "quillet/ui/text_prompt_dialog.h"

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "quillet/ui/mail_commands_resources.h"

namespace quillet::ui {

namespace kit = platform::win32::ui;

INT_PTR CALLBACK TextPromptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* prompt = kit::DialogState<TTextPrompt>(hwnd, message, lParam);
  if (prompt == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      kit::SetWindowTextGbk(GetDlgItem(hwnd, QUILLET_IDC_PROMPT_QUESTION), prompt->question);
      kit::SetWindowTextGbk(GetDlgItem(hwnd, QUILLET_IDC_PROMPT_EDIT), prompt->text);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) prompt->text = kit::DialogItemTextGbk(hwnd, QUILLET_IDC_PROMPT_EDIT);
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(hwnd, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

bool AskText(HWND owner, const std::string& question, std::string& text) {
  TTextPrompt prompt{nullptr, question, text};
  const INT_PTR answer = DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_TEXT_PROMPT), owner,
                                         TextPromptProc, reinterpret_cast<LPARAM>(&prompt));
  if (answer != IDOK) return false;
  text = prompt.text;
  return true;
}

}  // namespace quillet::ui
