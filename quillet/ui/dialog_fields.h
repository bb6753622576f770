// Reading and filling the controls of the setup module's dialogs: texts in GBK, check
// boxes, security choices, number boxes checked against their range and fingerprints.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "quillet/common/user_prompts.h"
#include "quillet/frame/setup_fields.h"
#include "quillet/transport/mail_security.h"

namespace quillet::ui {

void SetControlText(HWND control, const std::string& text);
std::string ControlText(HWND control);
void SetChecked(HWND control, bool checked);
bool IsChecked(HWND control);
// Fills the combo box with frame_texts::k_securityChoices and selects `security`.
void FillSecurityChoices(HWND combo, TMailSecurity security);
TMailSecurity ChosenSecurity(HWND combo);
// The box's number; outside the range, the complaint is shown, the box gets the focus
// and nothing comes back.
std::optional<std::int32_t> ReadNumber(HWND control, TNumberRange range, TUserPrompts& prompts);
// The trusted-certificate box's fingerprint as stored (StoredFingerprint); for any other
// text the complaint of that server is shown, the box gets the focus and nothing comes back.
std::optional<std::string> ReadFingerprint(HWND control, TServerKind kind, TUserPrompts& prompts);
// After its security combo changed: the port box follows (PortAfterSecurityChange).
void FollowSecurity(HWND portBox, TServerKind kind, TMailSecurity from, TMailSecurity to);

}  // namespace quillet::ui
