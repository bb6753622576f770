#include "quillet/ui/mailer_dialog.h"

#include "platform/win32/ui/window_state.h"
#include "quillet/common/exceptions.h"
#include "quillet/store/system/default_mailer.h"
#include "quillet/store/system/startup_texts.h"
#include "quillet/ui/dialog_fields.h"
#include "quillet/ui/setup_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

struct TMailerDialog {
  HWND hwnd = nullptr;
  bool keepChecking = true;
};

INT_PTR CALLBACK MailerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = kit::DialogState<TMailerDialog>(hwnd, message, lParam);
  if (d == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      SetControlText(GetDlgItem(hwnd, QUILLET_IDC_MAILER_QUESTION), k_textBecomeDefaultMailer);
      SetControlText(GetDlgItem(hwnd, QUILLET_IDC_MAILER_ALWAYS), k_textAlwaysCheckMailer);
      SetChecked(GetDlgItem(hwnd, QUILLET_IDC_MAILER_ALWAYS), d->keepChecking);
      return TRUE;
    case WM_COMMAND: {
      // Closing the dialog any other way answers No.
      const int id = LOWORD(wParam) == IDCANCEL ? IDNO : LOWORD(wParam);
      if (id != IDYES && id != IDNO) return FALSE;
      d->keepChecking = IsChecked(GetDlgItem(hwnd, QUILLET_IDC_MAILER_ALWAYS));
      EndDialog(hwnd, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OfferDefaultMailer(const std::string& iniPath, const std::string& executablePath, TUserPrompts& prompts) {
  const TSetupManager setup(iniPath);
  if (!DefaultMailerQuestionDue(setup, executablePath)) return;
  TMailerDialog dialog;
  const INT_PTR answer = DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_MAILER), nullptr,
                                         MailerProcedure, reinterpret_cast<LPARAM>(&dialog));
  try {
    ApplyDefaultMailerAnswer(setup, executablePath, answer == IDYES, dialog.keepChecking, prompts);
  } catch (const Exception& error) {  // an ini file that cannot be written does not stop the start
    prompts.ShowMessage(error.what());
  }
}

}  // namespace quillet::ui
