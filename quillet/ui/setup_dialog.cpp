#include "quillet/ui/setup_dialog.h"

#include <commctrl.h>

#include <array>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/wide.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/account_setup.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/transport/trusted_cert.h"
#include "quillet/ui/connection_dialog.h"
#include "quillet/ui/dialog_fields.h"
#include "quillet/ui/setup_resources.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr std::array<int, 5> k_pageTemplates = {QUILLET_DLG_SETUP_PERSONAL, QUILLET_DLG_SETUP_SERVERS,
                                                QUILLET_DLG_SETUP_CONNECTIONS, QUILLET_DLG_SETUP_SIGNATURE,
                                                QUILLET_DLG_SETUP_RECEIVE};
constexpr int k_serversPage = 1;
constexpr int k_receivePage = 4;
constexpr int k_columnWidth = 110;
constexpr char k_lineBreak[] = "\r\n";

struct TSetupDialog {
  HWND hwnd = nullptr;
  TSystemManager* manager;
  TUserPrompts* prompts;
  TSetupValues before;
  TSetupValues values;
  std::array<HWND, k_pageTemplates.size()> pages{};
  TMailSecurity pop3Security = TMailSecurity::Plain;  // the choices before a change
  TMailSecurity smtpSecurity = TMailSecurity::Plain;
};

HWND Item(const TSetupDialog* d, int id) { return SetupControl(d->hwnd, id); }

// A page passes its controls' notices to the dialog, which owns every control id.
INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY) return SendMessageW(GetParent(page), message, wParam, lParam);
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

void ShowPage(TSetupDialog* d, int index) {
  for (std::size_t i = 0; i < d->pages.size(); ++i)
    ShowWindow(d->pages[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

// The page of a box about to be refused, so that the focus goes to a box one can see.
void SelectPage(TSetupDialog* d, int index) {
  SendDlgItemMessageW(d->hwnd, QUILLET_IDC_SETUP_TAB, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowPage(d, index);
}

void CreatePages(TSetupDialog* d) {
  HWND tab = GetDlgItem(d->hwnd, QUILLET_IDC_SETUP_TAB);
  for (std::size_t i = 0; i < k_pageTemplates.size(); ++i) {
    std::wstring caption = platform::win32::WideFromGbk(frame_texts::k_setupPages[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  RECT area;
  GetClientRect(tab, &area);
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tab, d->hwnd, reinterpret_cast<POINT*>(&area), 2);
  for (std::size_t i = 0; i < k_pageTemplates.size(); ++i) {
    d->pages[i] = CreateDialogParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(k_pageTemplates[i]), d->hwnd,
                                     PageProcedure, 0);
    SetWindowPos(d->pages[i], HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
  }
  ShowPage(d, 0);
}

void SetText(const TSetupDialog* d, int id, const std::string& text) { SetControlText(Item(d, id), text); }
void SetNumber(const TSetupDialog* d, int id, std::int32_t n) { SetControlText(Item(d, id), std::to_string(n)); }
void SetCheck(const TSetupDialog* d, int id, bool on) { SetChecked(Item(d, id), on); }
std::string Text(const TSetupDialog* d, int id) { return ControlText(Item(d, id)); }
bool Check(const TSetupDialog* d, int id) { return IsChecked(Item(d, id)); }

void FillConnections(TSetupDialog* d) {
  HWND list = Item(d, QUILLET_IDC_SETUP_CONNECTIONS);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < d->values.Connections.size(); ++row) {
    const TOneConnection& c = d->values.Connections[row];
    const std::string cells[] = {c.Name, c.POP3Server, c.Account, c.Enabled ? frame_texts::k_connectionEnabled : ""};
    for (int column = 0; column < 4; ++column) {
      std::wstring text = platform::win32::WideFromGbk(cells[column]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(row);
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
}

void AddColumns(TSetupDialog* d) {
  HWND list = Item(d, QUILLET_IDC_SETUP_CONNECTIONS);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (std::size_t i = 0; i < frame_texts::k_connectionColumns.size(); ++i) {
    std::wstring caption = platform::win32::WideFromGbk(frame_texts::k_connectionColumns[i]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = i + 1 == frame_texts::k_connectionColumns.size() ? k_columnWidth / 2 : k_columnWidth;
    column.pszText = caption.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void FillAccount(TSetupDialog* d) {
  const TAccountSetup& a = d->values.Account;
  SetText(d, QUILLET_IDC_SETUP_NAME, a.Name);
  SetText(d, QUILLET_IDC_SETUP_ADDRESS, a.MailAddress);
  SetText(d, QUILLET_IDC_SETUP_REPLY, a.ReplyAddress);
  SetText(d, QUILLET_IDC_SETUP_ORGANIZATION, a.Organization);
  SetText(d, QUILLET_IDC_SETUP_POP3_HOST, a.Pop3.POP3Server);
  SetNumber(d, QUILLET_IDC_SETUP_POP3_PORT, a.Pop3.POP3Port);
  FillSecurityChoices(Item(d, QUILLET_IDC_SETUP_POP3_SECURITY), d->pop3Security = a.Pop3.Security);
  SetCheck(d, QUILLET_IDC_SETUP_APOP, a.Pop3.Apop);
  SetText(d, QUILLET_IDC_SETUP_POP3_TRUST, a.Pop3.TrustedCert);
  SetText(d, QUILLET_IDC_SETUP_ACCOUNT, a.Pop3.Account);
  SetText(d, QUILLET_IDC_SETUP_PASSWORD, a.Pop3.Password);
  SetCheck(d, QUILLET_IDC_SETUP_LEAVE, a.Pop3.LeaveIt);
  SetText(d, QUILLET_IDC_SETUP_SMTP_HOST, a.Smtp.Host);
  SetNumber(d, QUILLET_IDC_SETUP_SMTP_PORT, a.Smtp.Port);
  FillSecurityChoices(Item(d, QUILLET_IDC_SETUP_SMTP_SECURITY), d->smtpSecurity = a.Smtp.Security);
  SetCheck(d, QUILLET_IDC_SETUP_SMTP_AUTH, a.Smtp.Auth);
  SetText(d, QUILLET_IDC_SETUP_SMTP_TRUST, a.Smtp.TrustedCert);
  SetText(d, QUILLET_IDC_SETUP_SMTP_ACCOUNT, a.Smtp.Account);
  SetText(d, QUILLET_IDC_SETUP_SMTP_PASSWORD, a.Smtp.Password);
}

void FillSignature(TSetupDialog* d) {
  const TSignatureSetting& s = d->values.Account.Signature;
  const int kinds[] = {QUILLET_IDC_SETUP_SIG_NONE, QUILLET_IDC_SETUP_SIG_TEXT, QUILLET_IDC_SETUP_SIG_FILE};
  for (int i = 0; i < 3; ++i) SetCheck(d, kinds[i], static_cast<int>(s.Kind) == i);
  std::string lines;
  for (std::size_t i = 0; i < s.Lines.size(); ++i) lines += (i == 0 ? "" : k_lineBreak) + s.Lines[i];
  SetText(d, QUILLET_IDC_SETUP_SIG_LINES, lines);
  SetText(d, QUILLET_IDC_SETUP_SIG_PATH, s.ExternalFile);
}

void FillReceive(TSetupDialog* d) {
  const TSystemSettings& s = d->values.Settings;
  SetCheck(d, QUILLET_IDC_SETUP_AUTOCHECK, s.AutoCheck);
  SetNumber(d, QUILLET_IDC_SETUP_CHECK_MINUTES, s.AutoCheckMinutes);
  SetCheck(d, QUILLET_IDC_SETUP_PLAY_SOUND, s.PlaySoundWhenNewMsg);
  SetText(d, QUILLET_IDC_SETUP_SOUND_FILE, s.SoundOnNew);
  SetCheck(d, QUILLET_IDC_SETUP_SHOW_TITLE, s.ShowMailTitle);
  SetCheck(d, QUILLET_IDC_SETUP_AUTOREAD, s.AutoMarkRead);
  SetNumber(d, QUILLET_IDC_SETUP_READ_SECONDS, s.AutoReadSeconds);
  SetCheck(d, QUILLET_IDC_SETUP_AUTOPACK, s.AutoPack);
  SetNumber(d, QUILLET_IDC_SETUP_PACK_RATE, s.AutoPackRate);
  SetNumber(d, QUILLET_IDC_SETUP_TIMEOUT, s.TimeOut);
  SetCheck(d, QUILLET_IDC_SETUP_SHOW_PROGRESS, s.ShowProgress);
}

// Each number box in turn; the first one outside its range is told, its page shown.
bool ReadNumbers(TSetupDialog* d) {
  struct TBox {
    int id;
    TNumberRange range;
    std::int32_t* value;
    int page;
  };
  TAccountSetup& a = d->values.Account;
  TSystemSettings& s = d->values.Settings;
  std::int32_t smtpPort = a.Smtp.Port;
  const TBox boxes[] = {{QUILLET_IDC_SETUP_POP3_PORT, k_portRange, &a.Pop3.POP3Port, k_serversPage},
                        {QUILLET_IDC_SETUP_SMTP_PORT, k_portRange, &smtpPort, k_serversPage},
                        {QUILLET_IDC_SETUP_CHECK_MINUTES, k_checkMinutesRange, &s.AutoCheckMinutes, k_receivePage},
                        {QUILLET_IDC_SETUP_READ_SECONDS, k_readSecondsRange, &s.AutoReadSeconds, k_receivePage},
                        {QUILLET_IDC_SETUP_PACK_RATE, k_packRateRange, &s.AutoPackRate, k_receivePage},
                        {QUILLET_IDC_SETUP_TIMEOUT, k_timeOutRange, &s.TimeOut, k_receivePage}};
  for (const TBox& box : boxes) {
    HWND control = Item(d, box.id);
    if (!NumberInRange(ControlText(control), box.range)) SelectPage(d, box.page);
    const auto value = ReadNumber(control, box.range, *d->prompts);
    if (!value) return false;
    *box.value = *value;
  }
  a.Smtp.Port = static_cast<std::uint16_t>(smtpPort);
  return true;
}

// Both trusted-certificate boxes in their stored form; the first that holds no fingerprint
// is told on its page.
bool ReadFingerprints(TSetupDialog* d) {
  struct TBox {
    int id;
    TServerKind kind;
    std::string* value;
  };
  TAccountSetup& a = d->values.Account;
  const TBox boxes[] = {{QUILLET_IDC_SETUP_POP3_TRUST, TServerKind::Pop3, &a.Pop3.TrustedCert},
                        {QUILLET_IDC_SETUP_SMTP_TRUST, TServerKind::Smtp, &a.Smtp.TrustedCert}};
  for (const TBox& box : boxes) {
    HWND control = Item(d, box.id);
    if (!StoredFingerprint(ControlText(control))) SelectPage(d, k_serversPage);
    const auto value = ReadFingerprint(control, box.kind, *d->prompts);
    if (!value) return false;
    *box.value = *value;
  }
  return true;
}

void ReadTexts(TSetupDialog* d) {
  TAccountSetup& a = d->values.Account;
  a.Name = Text(d, QUILLET_IDC_SETUP_NAME);
  a.MailAddress = Text(d, QUILLET_IDC_SETUP_ADDRESS);
  a.ReplyAddress = Text(d, QUILLET_IDC_SETUP_REPLY);
  a.Organization = Text(d, QUILLET_IDC_SETUP_ORGANIZATION);
  a.Pop3.POP3Server = Text(d, QUILLET_IDC_SETUP_POP3_HOST);
  a.Pop3.Security = ChosenSecurity(Item(d, QUILLET_IDC_SETUP_POP3_SECURITY));
  a.Pop3.Apop = Check(d, QUILLET_IDC_SETUP_APOP);
  a.Pop3.Account = Text(d, QUILLET_IDC_SETUP_ACCOUNT);
  a.Pop3.Password = Text(d, QUILLET_IDC_SETUP_PASSWORD);
  a.Pop3.LeaveIt = Check(d, QUILLET_IDC_SETUP_LEAVE);
  a.Smtp.Host = Text(d, QUILLET_IDC_SETUP_SMTP_HOST);
  a.Smtp.Security = ChosenSecurity(Item(d, QUILLET_IDC_SETUP_SMTP_SECURITY));
  a.Smtp.Auth = Check(d, QUILLET_IDC_SETUP_SMTP_AUTH);
  a.Smtp.Account = Text(d, QUILLET_IDC_SETUP_SMTP_ACCOUNT);
  a.Smtp.Password = Text(d, QUILLET_IDC_SETUP_SMTP_PASSWORD);
  TSignatureSetting& sig = a.Signature;
  sig.Kind = Check(d, QUILLET_IDC_SETUP_SIG_TEXT)   ? TSignatureKind::Text
             : Check(d, QUILLET_IDC_SETUP_SIG_FILE) ? TSignatureKind::File
                                                    : TSignatureKind::None;
  sig.Lines = SplitLines(Text(d, QUILLET_IDC_SETUP_SIG_LINES));
  sig.ExternalFile = Text(d, QUILLET_IDC_SETUP_SIG_PATH);
  TSystemSettings& s = d->values.Settings;
  s.AutoCheck = Check(d, QUILLET_IDC_SETUP_AUTOCHECK);
  s.PlaySoundWhenNewMsg = Check(d, QUILLET_IDC_SETUP_PLAY_SOUND);
  s.SoundOnNew = Text(d, QUILLET_IDC_SETUP_SOUND_FILE);
  s.ShowMailTitle = Check(d, QUILLET_IDC_SETUP_SHOW_TITLE);
  s.AutoMarkRead = Check(d, QUILLET_IDC_SETUP_AUTOREAD);
  s.AutoPack = Check(d, QUILLET_IDC_SETUP_AUTOPACK);
  s.ShowProgress = Check(d, QUILLET_IDC_SETUP_SHOW_PROGRESS);
}

bool Save(TSetupDialog* d) {
  if (!ReadNumbers(d) || !ReadFingerprints(d)) return false;
  ReadTexts(d);
  try {
    ApplySetupValues(*d->manager, d->before, d->values);
    return true;
  } catch (const Exception& error) {
    d->prompts->ShowMessage(error.what());
    return false;
  }
}

int SelectedConnection(const TSetupDialog* d) {
  return static_cast<int>(
      SendMessageW(Item(d, QUILLET_IDC_SETUP_CONNECTIONS), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ChangeConnections(TSetupDialog* d, int id) {
  auto& list = d->values.Connections;
  const int row = SelectedConnection(d);
  if (id == QUILLET_IDC_SETUP_ADD) {
    TOneConnection account = NewConnection(list, d->before.Connections);
    if (EditConnection(d->hwnd, account, *d->prompts)) list.push_back(account);
  } else if (row >= 0 && id == QUILLET_IDC_SETUP_EDIT) {
    EditConnection(d->hwnd, list[static_cast<std::size_t>(row)], *d->prompts);
  } else if (row >= 0 && id == QUILLET_IDC_SETUP_REMOVE) {
    list.erase(list.begin() + row);
  }
  FillConnections(d);
}

void SecurityChanged(TSetupDialog* d, int id) {
  const bool pop3 = id == QUILLET_IDC_SETUP_POP3_SECURITY;
  TMailSecurity& last = pop3 ? d->pop3Security : d->smtpSecurity;
  const TMailSecurity chosen = ChosenSecurity(Item(d, id));
  FollowSecurity(Item(d, pop3 ? QUILLET_IDC_SETUP_POP3_PORT : QUILLET_IDC_SETUP_SMTP_PORT),
                 pop3 ? TServerKind::Pop3 : TServerKind::Smtp, last, chosen);
  last = chosen;
}

INT_PTR OnCommand(TSetupDialog* d, int id, int code) {
  switch (id) {
    case QUILLET_IDC_SETUP_ADD:
    case QUILLET_IDC_SETUP_EDIT:
    case QUILLET_IDC_SETUP_REMOVE:
      ChangeConnections(d, id);
      return TRUE;
    case QUILLET_IDC_SETUP_POP3_SECURITY:
    case QUILLET_IDC_SETUP_SMTP_SECURITY:
      if (code == CBN_SELCHANGE) SecurityChanged(d, id);
      return TRUE;
    case IDOK:
      if (Save(d)) EndDialog(d->hwnd, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(d->hwnd, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR OnNotify(TSetupDialog* d, const NMHDR* notice) {
  if (notice->idFrom == QUILLET_IDC_SETUP_TAB && notice->code == TCN_SELCHANGE)
    ShowPage(d, static_cast<int>(SendMessageW(notice->hwndFrom, TCM_GETCURSEL, 0, 0)));
  if (notice->idFrom == QUILLET_IDC_SETUP_CONNECTIONS && notice->code == NM_DBLCLK)
    ChangeConnections(d, QUILLET_IDC_SETUP_EDIT);
  return TRUE;
}

INT_PTR CALLBACK SetupProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = kit::DialogState<TSetupDialog>(hwnd, message, lParam);
  if (d == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CreatePages(d);
      FillAccount(d);
      AddColumns(d);
      FillConnections(d);
      FillSignature(d);
      FillReceive(d);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(d, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
      return OnNotify(d, reinterpret_cast<const NMHDR*>(lParam));
    default:
      return FALSE;
  }
}

}  // namespace

bool ShowSetupDialog(HWND owner, TSystemManager& manager, TUserPrompts& prompts) {
  TSetupDialog dialog{nullptr, &manager, &prompts, LoadSetupValues(manager), {}};
  dialog.values = dialog.before;
  const INT_PTR answer = DialogBoxParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_SETUP), owner,
                                         SetupProcedure, reinterpret_cast<LPARAM>(&dialog));
  return answer == IDOK;
}

HWND SetupControl(HWND dialog, int id) {
  if (HWND own = GetDlgItem(dialog, id)) return own;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (HWND control = GetDlgItem(child, id)) return control;
  return nullptr;
}

}  // namespace quillet::ui
