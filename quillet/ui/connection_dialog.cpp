#include "quillet/ui/connection_dialog.h"

#include "platform/win32/ui/window_state.h"
#include "quillet/ui/dialog_fields.h"
#include "quillet/ui/setup_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

struct TConnectionDialog {
  HWND hwnd = nullptr;
  TOneConnection* account;
  TUserPrompts* prompts;
  TMailSecurity security;  // the choice before a change, for the port to follow
};

HWND Item(const TConnectionDialog* d, int id) { return GetDlgItem(d->hwnd, id); }

void Fill(TConnectionDialog* d) {
  const TOneConnection& a = *d->account;
  SetControlText(Item(d, QUILLET_IDC_CONN_NAME), a.Name);
  SetControlText(Item(d, QUILLET_IDC_CONN_SERVER), a.POP3Server);
  SetControlText(Item(d, QUILLET_IDC_CONN_PORT), std::to_string(a.POP3Port));
  FillSecurityChoices(Item(d, QUILLET_IDC_CONN_SECURITY), a.Security);
  SetControlText(Item(d, QUILLET_IDC_CONN_TRUST), a.TrustedCert);
  SetControlText(Item(d, QUILLET_IDC_CONN_ACCOUNT), a.Account);
  SetControlText(Item(d, QUILLET_IDC_CONN_PASSWORD), a.Password);
  SetChecked(Item(d, QUILLET_IDC_CONN_ENABLED), a.Enabled);
  SetChecked(Item(d, QUILLET_IDC_CONN_LEAVE), a.LeaveIt);
  d->security = a.Security;
}

bool Read(TConnectionDialog* d) {
  const auto port = ReadNumber(Item(d, QUILLET_IDC_CONN_PORT), k_portRange, *d->prompts);
  if (!port) return false;
  const auto trusted = ReadFingerprint(Item(d, QUILLET_IDC_CONN_TRUST), TServerKind::Pop3, *d->prompts);
  if (!trusted) return false;
  TOneConnection& a = *d->account;
  a.Name = ControlText(Item(d, QUILLET_IDC_CONN_NAME));
  a.POP3Server = ControlText(Item(d, QUILLET_IDC_CONN_SERVER));
  a.POP3Port = *port;
  a.Security = ChosenSecurity(Item(d, QUILLET_IDC_CONN_SECURITY));
  a.TrustedCert = *trusted;
  a.Account = ControlText(Item(d, QUILLET_IDC_CONN_ACCOUNT));
  a.Password = ControlText(Item(d, QUILLET_IDC_CONN_PASSWORD));
  a.Enabled = IsChecked(Item(d, QUILLET_IDC_CONN_ENABLED));
  a.LeaveIt = IsChecked(Item(d, QUILLET_IDC_CONN_LEAVE));
  return true;
}

void SecurityChanged(TConnectionDialog* d) {
  const TMailSecurity chosen = ChosenSecurity(Item(d, QUILLET_IDC_CONN_SECURITY));
  FollowSecurity(Item(d, QUILLET_IDC_CONN_PORT), TServerKind::Pop3, d->security, chosen);
  d->security = chosen;
}

INT_PTR OnCommand(TConnectionDialog* d, int id, int code) {
  if (id == QUILLET_IDC_CONN_SECURITY) {
    if (code == CBN_SELCHANGE) SecurityChanged(d);
    return TRUE;
  }
  if (id != IDOK && id != IDCANCEL) return FALSE;
  if (id == IDCANCEL || Read(d)) EndDialog(d->hwnd, id);  // a bad port or fingerprint keeps the dialog
  return TRUE;
}

INT_PTR CALLBACK ConnectionProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = kit::DialogState<TConnectionDialog>(hwnd, message, lParam);
  if (d == nullptr) return FALSE;
  if (message == WM_INITDIALOG) {
    Fill(d);
    return TRUE;
  }
  return message == WM_COMMAND ? OnCommand(d, LOWORD(wParam), HIWORD(wParam)) : FALSE;
}

}  // namespace

bool EditConnection(HWND owner, TOneConnection& account, TUserPrompts& prompts) {
  TOneConnection edited = account;
  TConnectionDialog dialog{nullptr, &edited, &prompts, edited.Security};
  const INT_PTR answer = DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_CONNECTION), owner,
                                         ConnectionProcedure, reinterpret_cast<LPARAM>(&dialog));
  if (answer != IDOK) return false;
  account = edited;
  return true;
}

}  // namespace quillet::ui
