// The setup module in the running client: the setup dialog's round trip (fields in, ini
// keys out, read back by the client), its further accounts, the default-mail-program
// question's two answers, the toolbar against the command table and the toggles kept in
// the ini file. Modal dialogs are driven from a timer, as a person would click them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/registry.h"
#include "platform/version.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/setup_fields.h"
#include "quillet/frame/signature_setting.h"
#include "quillet/frame/tool_buttons.h"
#include "quillet/store/system/default_mailer.h"
#include "quillet/store/system/startup_texts.h"
#include "quillet/transport/mail_accounts.h"
#include "quillet/ui/main_menu.h"
#include "quillet/ui/setup_dialog.h"
#include "quillet/ui/setup_resources.h"
#include "quillet/ui/tool_bar.h"
#include "tests/gui/quillet/client_fixture.h"

namespace {

namespace ui = quillet::ui;
namespace kit = platform::win32::ui;

// One step of a dialog session: what is done in the next modal dialog titled `title`.
struct TDialogStep {
  std::string title;
  std::function<void(HWND)> act;
};

// Runs the steps from a thread timer while a modal loop waits; a dialog that no step
// expects within k_patience ticks is cancelled, so a test never hangs.
class TDialogDriver {
 public:
  explicit TDialogDriver(std::vector<TDialogStep> steps) : steps_(std::move(steps)) {
    // A frame closed by an earlier test left WM_QUIT, which would end a modal loop at once.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    current_ = this;
    timer_ = SetTimer(nullptr, 0, k_tickMs, Tick);
  }
  ~TDialogDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  static constexpr UINT k_tickMs = 30;
  static constexpr int k_patience = 200;

  static BOOL CALLBACK Collect(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowEnabled(hwnd))
      reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TDialogDriver* d = current_;
    if (d == nullptr || d->Done()) return;
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
      if (kit::WindowTextGbk(dialog) != d->steps_[d->next_].title) continue;
      d->waited_ = 0;
      d->steps_[d->next_++].act(dialog);
      return;
    }
    if (++d->waited_ < k_patience) return;
    ADD_FAILURE() << "no dialog titled " << d->steps_[d->next_].title;
    for (HWND dialog : dialogs) EndDialog(dialog, IDCANCEL);
  }

  static TDialogDriver* current_;
  std::vector<TDialogStep> steps_;
  std::size_t next_ = 0;
  int waited_ = 0;
  UINT_PTR timer_ = 0;
};
TDialogDriver* TDialogDriver::current_ = nullptr;

constexpr char k_setupTitle[] = "设置";
constexpr char k_connectionTitle[] = "其它连接";

void Type(HWND dialog, int id, const std::string& text) { kit::SetWindowTextGbk(ui::SetupControl(dialog, id), text); }
std::string Read(HWND dialog, int id) { return kit::WindowTextGbk(ui::SetupControl(dialog, id)); }
bool Ticked(HWND dialog, int id) { return SendMessageW(ui::SetupControl(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Mark(HWND dialog, int id, bool on) {
  SendMessageW(ui::SetupControl(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
// A click, posted so that a dialog it opens runs its own modal loop after this step.
void Click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ui::SetupControl(dialog, id)));
}
void Choose(HWND dialog, int comboId, int index) {
  HWND combo = ui::SetupControl(dialog, comboId);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
int Rows(HWND dialog) {
  return static_cast<int>(SendMessageW(ui::SetupControl(dialog, QUILLET_IDC_SETUP_CONNECTIONS), LVM_GETITEMCOUNT, 0, 0));
}

class SetupWindow : public quillet_gui_test::ClientWindow {
 protected:
  std::string IniPath() const { return Folder() + "quillet.INI"; }
  // Runs the command while the driver works through the steps.
  void RunWithDialogs(const std::string& item, std::vector<TDialogStep> steps) {
    TDialogDriver driver(std::move(steps));
    ASSERT_TRUE(ui::RunCommand(&app_->frame, item));
    EXPECT_TRUE(driver.Done());
  }
};

TEST_F(SetupWindow, DialogWritesWhatTheClientReads) {
  ASSERT_EQ(Start(Folder()), 0);
  RunWithDialogs("M_tools_setup",
                 {{k_setupTitle,
                   [](HWND d) {
                     EXPECT_EQ(Read(d, QUILLET_IDC_SETUP_POP3_PORT), "110");
                     EXPECT_TRUE(Ticked(d, QUILLET_IDC_SETUP_LEAVE));
                     Type(d, QUILLET_IDC_SETUP_NAME, "张三");
                     Type(d, QUILLET_IDC_SETUP_ADDRESS, "zs@example.com");
                     Type(d, QUILLET_IDC_SETUP_REPLY, "r@example.com");
                     Type(d, QUILLET_IDC_SETUP_ORGANIZATION, "公司");
                     Type(d, QUILLET_IDC_SETUP_POP3_HOST, "pop.example");
                     Choose(d, QUILLET_IDC_SETUP_POP3_SECURITY, 2);
                     EXPECT_EQ(Read(d, QUILLET_IDC_SETUP_POP3_PORT), "995");  // the port follows
                     Type(d, QUILLET_IDC_SETUP_ACCOUNT, "zs");
                     Type(d, QUILLET_IDC_SETUP_PASSWORD, "秘密");
                     Mark(d, QUILLET_IDC_SETUP_LEAVE, false);
                     Type(d, QUILLET_IDC_SETUP_SMTP_HOST, "smtp.example");
                     Mark(d, QUILLET_IDC_SETUP_SIG_NONE, false);
                     Mark(d, QUILLET_IDC_SETUP_SIG_TEXT, true);
                     Type(d, QUILLET_IDC_SETUP_SIG_LINES, "--\r\n张三");
                     Mark(d, QUILLET_IDC_SETUP_AUTOCHECK, true);
                     Type(d, QUILLET_IDC_SETUP_CHECK_MINUTES, "99999");
                     Click(d, IDOK);  // refused: the minutes are out of range
                   }},
                  {k_setupTitle, [](HWND d) {
                     Type(d, QUILLET_IDC_SETUP_CHECK_MINUTES, "10");
                     Click(d, IDOK);
                   }}});
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "请输入 0 到 1440 之间的整数");
  const TProfileFile ini(IniPath());
  const TOneConnection own = DefaultAccount(ini);
  EXPECT_EQ(own.POP3Server, "pop.example");
  EXPECT_EQ(own.POP3Port, 995);
  EXPECT_EQ(own.Security, TMailSecurity::ImplicitTls);
  EXPECT_EQ(own.Account, "zs");
  EXPECT_EQ(own.Password, "秘密");
  EXPECT_FALSE(own.LeaveIt);
  EXPECT_EQ(SmtpServer(ini).Host, "smtp.example");
  EXPECT_EQ(ini.ReadString("Connection", "name", ""), "张三");
  EXPECT_EQ(ini.ReadString("Connection", "ReplyAddress", ""), "r@example.com");
  EXPECT_EQ(ini.ReadString("Connection", "Organization", ""), "公司");
  EXPECT_EQ(SignatureLines(ini), (TStringList{"--", "张三"}));
  EXPECT_TRUE(app_->manager->Settings().AutoCheck);  // the running manager sees it
  EXPECT_EQ(app_->manager->Settings().AutoCheckMinutes, 10);
  EXPECT_EQ(ini.ReadString("Receive", "AutoCheckMinutes", ""), "10");
}

TEST_F(SetupWindow, FurtherAccountsAreAddedAndRemoved) {
  ASSERT_TRUE(platform::MakeDirectory(Folder() + "mail"));
  store_test::WriteFileBytes(IniPath(), "[OtherConnections]\r\nTotal=1\r\n[Connection1]\r\nName=old\r\n"
                                        "POP3Server=old.example\r\nUidlFile=1.uid\r\n");
  ASSERT_EQ(Start(Folder()), 0);
  const std::string oldList = app_->manager->MailRoot() + "1.uid";
  store_test::WriteFileBytes(oldList, "x\r\n");
  RunWithDialogs("M_tools_setup",
                 {{k_setupTitle,
                   [](HWND d) {
                     EXPECT_EQ(Rows(d), 1);
                     Click(d, QUILLET_IDC_SETUP_ADD);
                   }},
                  {k_connectionTitle,
                   [](HWND d) {
                     EXPECT_TRUE(Ticked(d, QUILLET_IDC_CONN_ENABLED));
                     Type(d, QUILLET_IDC_CONN_NAME, "新帐号");
                     Type(d, QUILLET_IDC_CONN_SERVER, "new.example");
                     Type(d, QUILLET_IDC_CONN_ACCOUNT, "nu");
                     Type(d, QUILLET_IDC_CONN_PASSWORD, "pw");
                     Click(d, IDOK);
                   }},
                  {k_setupTitle, [](HWND d) {
                     ASSERT_EQ(Rows(d), 2);
                     LVITEMW select{};
                     select.stateMask = select.state = LVIS_SELECTED;
                     SendMessageW(ui::SetupControl(d, QUILLET_IDC_SETUP_CONNECTIONS), LVM_SETITEMSTATE, 0,
                                  reinterpret_cast<LPARAM>(&select));
                     SendMessageW(d, WM_COMMAND, QUILLET_IDC_SETUP_REMOVE, 0);
                     EXPECT_EQ(Rows(d), 1);
                     Click(d, IDOK);
                   }}});
  const TConnections saved(IniPath());
  ASSERT_EQ(saved.Items().size(), 1u);
  EXPECT_EQ(saved.Items()[0].Name, "新帐号");
  EXPECT_EQ(saved.Items()[0].POP3Server, "new.example");
  EXPECT_EQ(saved.Items()[0].Password, "pw");
  EXPECT_EQ(saved.Items()[0].UidlFile, "2.uid");
  EXPECT_FALSE(platform::FileExists(oldList));  // gone with its account
}

// The trusted certificates: a pasted fingerprint is stored as the refusal shows it, an
// emptied box drops its key, a box without a fingerprint is refused with all else kept.
TEST_F(SetupWindow, TrustedFingerprintsArePastedRefusedAndStored) {
  const std::string print = "78C35EAD6439C6A40410F5B7A99568C1F514537B2E8D5F5BF310336541EEFFD5";
  const std::string colons = "78:c3:5e:ad:64:39:c6:a4:04:10:f5:b7:a9:95:68:c1:"
                             "f5:14:53:7b:2e:8d:5f:5b:f3:10:33:65:41:ee:ff:d5";
  const std::string spaced = "78 C3 5E AD 64 39 C6 A4 04 10 F5 B7 A9 95 68 C1 "
                             "F5 14 53 7B 2E 8D 5F 5B F3 10 33 65 41 EE FF D5";
  store_test::WriteFileBytes(IniPath(), "[Connection]\r\nSMTPTrustedCert=" + colons + "\r\n");
  ASSERT_EQ(Start(Folder()), 0);
  RunWithDialogs("M_tools_setup",
                 {{k_setupTitle,
                   [&](HWND d) {
                     EXPECT_EQ(Read(d, QUILLET_IDC_SETUP_SMTP_TRUST), colons);
                     Type(d, QUILLET_IDC_SETUP_SMTP_TRUST, "");
                     Type(d, QUILLET_IDC_SETUP_POP3_HOST, "pop.example");
                     Type(d, QUILLET_IDC_SETUP_POP3_TRUST, spaced.substr(3));  // 31 bytes
                     Click(d, IDOK);
                   }},
                  {k_setupTitle,
                   [&](HWND d) {
                     EXPECT_TRUE(IsWindowVisible(ui::SetupControl(d, QUILLET_IDC_SETUP_POP3_TRUST)));  // its page
                     EXPECT_EQ(Read(d, QUILLET_IDC_SETUP_POP3_HOST), "pop.example");
                     Type(d, QUILLET_IDC_SETUP_POP3_TRUST, spaced);
                     Click(d, QUILLET_IDC_SETUP_ADD);
                   }},
                  {k_connectionTitle,
                   [&](HWND d) {
                     Type(d, QUILLET_IDC_CONN_TRUST, colons);
                     Click(d, IDOK);
                   }},
                  {k_setupTitle, [](HWND d) { Click(d, IDOK); }}});
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, FingerprintComplaint(TServerKind::Pop3));
  const TProfileFile ini(IniPath());
  EXPECT_EQ(ini.ReadString("Connection", "POP3TrustedCert", ""), print);
  EXPECT_EQ(ini.ReadString("Connection", "SMTPTrustedCert", "none"), "none");
  EXPECT_EQ(ini.ReadString("Connection1", "POP3TrustedCert", ""), print);
}

// The question at start, answered both ways; the mailto command is put back afterwards.
TEST_F(SetupWindow, DefaultMailerQuestionAnsweredBothWays) {
  const platform::RegistryRoot root = platform::RegistryRoot::ClassesRoot;
  std::string saved;
  const bool hadCommand = platform::RegistryReadString(root, k_mailtoCommandKey, "", saved) ==
                          platform::RegistryLookup::Found;
  struct TCase {
    const char* home;
    bool keepAsking;
    int button;
  };
  const TCase cases[] = {{"no", true, IDNO}, {"yes", false, IDYES}};
  askMailer_ = true;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.home);
    // Another program handles mailto links (a first run would take an empty key).
    ASSERT_TRUE(platform::RegistryWriteString(root, k_mailtoCommandKey, "", "\"C:\\other.exe\" %1"));
    app_.reset();  // its frame's end posts WM_QUIT, which the driver takes away
    const std::string home = Folder() + c.home + "\\";
    ASSERT_TRUE(platform::MakeDirectory(home));
    TDialogDriver driver({{k_textStartupBoxTitle, [&c](HWND d) {
                             EXPECT_EQ(kit::DialogItemTextGbk(d, QUILLET_IDC_MAILER_QUESTION), k_textBecomeDefaultMailer);
                             EXPECT_EQ(kit::DialogItemTextGbk(d, QUILLET_IDC_MAILER_ALWAYS), k_textAlwaysCheckMailer);
                             EXPECT_TRUE(Ticked(d, QUILLET_IDC_MAILER_ALWAYS));
                             Mark(d, QUILLET_IDC_MAILER_ALWAYS, c.keepAsking);
                             PostMessageW(d, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
                           }}});
    ASSERT_EQ(Start(home), 0);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(IsDefaultMailProgram(Folder() + "quillet.exe"), c.button == IDYES);
    EXPECT_EQ(TSetupManager(home + "quillet.INI").ReadBool("Network", "CheckMailer", true), c.keepAsking);
  }
  platform::RegistryDeleteKey(root, k_mailtoCommandKey);
  if (hadCommand) platform::RegistryWriteString(root, k_mailtoCommandKey, "", saved);
}

struct TButtonState {
  std::string caption;
  bool enabled;
};

std::vector<TButtonState> Buttons(HWND strip) {
  HWND bar = GetWindow(strip, GW_CHILD);
  std::vector<TButtonState> states;
  for (int i = 0; i < static_cast<int>(k_toolButtons.size()); ++i) {
    const int id = ui::k_firstToolButton + i;
    wchar_t text[64] = {};
    SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text));
    states.push_back({platform::win32::GbkFromWide(text), SendMessageW(bar, TB_ISBUTTONENABLED, id, 0) != 0});
  }
  return states;
}

TEST_F(SetupWindow, ToolbarFollowsTheCommandTable) {
  ASSERT_EQ(Start(Folder()), 0);
  HWND strip = app_->frame.toolBar;
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(IsWindowVisible(strip));
  EXPECT_EQ(kit::WindowTextGbk(GetWindow(strip, GW_CHILD)), frame_texts::k_toolbarCaption);
  std::vector<TButtonState> states = Buttons(strip);
  for (std::size_t i = 0; i < states.size(); ++i) {
    EXPECT_EQ(states[i].caption, frame_texts::k_toolbarCaptions[i]);
    EXPECT_EQ(states[i].enabled, app_->frame.commands.Enabled(k_toolButtons[i].item)) << k_toolButtons[i].name;
  }
  int runs = 0;
  bool allowed = true;
  app_->frame.commands.Add("TBtn_next", [&runs] { ++runs; }, [&allowed] { return allowed; });
  ui::RefreshCommandStates(&app_->frame);
  const int next = ui::k_firstToolButton + 9;
  EXPECT_TRUE(Buttons(strip)[9].enabled);
  SendMessageW(strip, WM_COMMAND, next, 0);  // what the button's click sends
  EXPECT_EQ(runs, 1);
  allowed = false;
  ui::RefreshCommandStates(&app_->frame);
  EXPECT_FALSE(Buttons(strip)[9].enabled);
  SendMessageW(strip, WM_COMMAND, next, 0);
  EXPECT_EQ(runs, 1);
}

int ButtonHeight(HWND strip) {
  return HIWORD(SendMessageW(GetWindow(strip, GW_CHILD), TB_GETBUTTONSIZE, 0, 0));
}

bool MenuTicked(HWND frame, const char* item) {
  return (GetMenuState(GetMenu(frame), static_cast<UINT>(ui::CommandId(item)), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(SetupWindow, TogglesHideAndKeepInTheIni) {
  ASSERT_EQ(Start(Folder()), 0);
  const int largeHeight = ButtonHeight(app_->frame.toolBar);
  for (const char* item : {"M_tools_toolbar", "M_tools_statusbar", "M_tools_largebtn"}) {
    EXPECT_TRUE(MenuTicked(app_->frame.hwnd, item)) << item;
    ASSERT_TRUE(ui::RunCommand(&app_->frame, item));
    EXPECT_FALSE(MenuTicked(app_->frame.hwnd, item)) << item;
  }
  EXPECT_FALSE(IsWindowVisible(app_->frame.toolBar));
  EXPECT_FALSE(IsWindowVisible(app_->frame.statusBar));
  EXPECT_LT(ButtonHeight(app_->frame.toolBar), largeHeight);
  const TProfileFile ini(IniPath());
  EXPECT_EQ(ini.ReadString("Window Position", "Toolbar", ""), "0");
  EXPECT_EQ(ini.ReadString("Window Position", "StatusBar", ""), "0");
  EXPECT_EQ(ini.ReadString("Receive", "LargeButton", ""), "0");
  ASSERT_EQ(Start(Folder()), 0);  // the next start as the ini says
  EXPECT_FALSE(IsWindowVisible(app_->frame.toolBar));
  EXPECT_FALSE(IsWindowVisible(app_->frame.statusBar));
  EXPECT_LT(ButtonHeight(app_->frame.toolBar), largeHeight);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_tools_toolbar"));
  EXPECT_TRUE(IsWindowVisible(app_->frame.toolBar));
}

// M_help_about: the title and the version, in a box of the program's title.
TEST_F(SetupWindow, AboutTellsTitleAndVersion) {
  ASSERT_EQ(Start(Folder()), 0);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_help_about"));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title + "|" + boxes_[0].text,
            "Quillet|Quillet: Internet Mail\r\n版本：" + platform::ProgramVersionText());
}

}  // namespace
