#include "quillet/ui/dialog_fields.h"

#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/transport/trusted_cert.h"

namespace quillet::ui {

namespace kit = platform::win32::ui;

namespace {

void Refuse(HWND control, const std::string& complaint, TUserPrompts& prompts) {
  prompts.ShowMessage(complaint);
  SetFocus(control);
}

}  // namespace

void SetControlText(HWND control, const std::string& text) { kit::SetWindowTextGbk(control, text); }

std::string ControlText(HWND control) { return kit::WindowTextGbk(control); }

void SetChecked(HWND control, bool checked) {
  SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void FillSecurityChoices(HWND combo, TMailSecurity security) {
  for (const char* choice : frame_texts::k_securityChoices)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::win32::WideFromGbk(choice).c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(security), 0);
}

TMailSecurity ChosenSecurity(HWND combo) {
  const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  return chosen == CB_ERR ? TMailSecurity::Plain : MailSecurityFromNumber(static_cast<std::int32_t>(chosen));
}

std::optional<std::int32_t> ReadNumber(HWND control, TNumberRange range, TUserPrompts& prompts) {
  const auto value = NumberInRange(ControlText(control), range);
  if (!value) Refuse(control, RangeComplaint(range), prompts);
  return value;
}

std::optional<std::string> ReadFingerprint(HWND control, TServerKind kind, TUserPrompts& prompts) {
  auto stored = StoredFingerprint(ControlText(control));
  if (!stored) Refuse(control, FingerprintComplaint(kind), prompts);
  return stored;
}

void FollowSecurity(HWND portBox, TServerKind kind, TMailSecurity from, TMailSecurity to) {
  const auto port = NumberInRange(ControlText(portBox), k_portRange);
  if (port) SetControlText(portBox, std::to_string(PortAfterSecurityChange(*port, kind, from, to)));
}

}  // namespace quillet::ui
