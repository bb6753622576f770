#include "quillet/ui/box_property_dialog.h"

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/box_menu.h"
#include "quillet/ui/mail_commands_resources.h"

namespace quillet::ui {

namespace kit = platform::win32::ui;

namespace {

constexpr int k_figureIds[] = {QUILLET_IDC_PROPERTY_NAME, QUILLET_IDC_PROPERTY_CREATED, QUILLET_IDC_PROPERTY_COUNT,
                               QUILLET_IDC_PROPERTY_SIZE, QUILLET_IDC_PROPERTY_WASTED};

void ShowFigures(TBoxPropertyDialog* dialog) {
  const auto texts = PropertyTexts(BoxProperties(*dialog->box));
  for (std::size_t i = 0; i < texts.size(); ++i) kit::SetWindowTextGbk(GetDlgItem(dialog->hwnd, k_figureIds[i]), texts[i]);
}

// The buttons' work; a file that cannot be read is told and the dialog stays.
void Act(TBoxPropertyDialog* dialog, int id) {
  try {
    if (id == QUILLET_IDC_PROPERTY_CHECK) dialog->prompts->ShowMessage(CheckReport(dialog->box->Box().CheckSeparators()));
    if (id == QUILLET_IDC_PROPERTY_PACK) dialog->manager->PackBox(*dialog->box, false);
    ShowFigures(dialog);
  } catch (const Exception& error) {
    dialog->prompts->ShowMessage(error.Message());
  }
  dialog->box->ReleaseBox();
}

}  // namespace

INT_PTR CALLBACK BoxPropertyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = kit::DialogState<TBoxPropertyDialog>(hwnd, message, lParam);
  if (dialog == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Act(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        EndDialog(hwnd, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) != QUILLET_IDC_PROPERTY_CHECK && LOWORD(wParam) != QUILLET_IDC_PROPERTY_PACK) return FALSE;
      Act(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

void ShowBoxProperties(HWND owner, TSystemManager& manager, TBoxObject& box, TUserPrompts& prompts) {
  TBoxPropertyDialog dialog{nullptr, &manager, &box, &prompts};
  DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_BOX_PROPERTY), owner, BoxPropertyProc,
                  reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace quillet::ui
