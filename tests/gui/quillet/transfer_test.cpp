// Receiving and sending from the main window, made in the test's process: the refusals,
// the greyed commands and the progress panel while a run is on, the progress window's
// controls, the automatic check, a real receive from the Dovecot that ctest starts
// (QUILLET_POP3_PEER names its port file) and a real send through the SMTP sink that
// ctest starts (QUILLET_SMTP_SINK names its port file).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/message_loop.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/common/profile_file.h"
#include "quillet/common/stream.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/message_list.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/network_progress.h"
#include "quillet/transport/transport_texts.h"
#include "quillet/ui/client_start.h"
#include "quillet/ui/transfer_resources.h"
#include "quillet/ui/ui_resources.h"
#include "tests/gui/quillet/client_fixture.h"

namespace {

namespace ui = quillet::ui;
namespace kit = platform::win32::ui;
using TRunning = TProgressManager::TRunning;

// The progress window's texts each time one changed.
struct TSeen {
  std::string caption, status, current, command;
  bool visible;
};

class Transfer : public quillet_gui_test::ClientWindow {
 protected:
  void StartWithServer(const std::string& host, int port) {
    ASSERT_EQ(Start(Folder()), 0);
    TProfileFile ini(app_->manager->Setup().IniPath());
    ini.WriteString("Connection", "POP3Host", host);
    ini.WriteString("Connection", "POP3Port", std::to_string(port));
    ini.WriteString("Connection", "POP3Account", "alice");
    app_->transfer->progressChanged = [this](HWND window) {
      const auto text = [window](int id) { return kit::WindowTextGbk(GetDlgItem(window, id)); };
      seen_.push_back({kit::WindowTextGbk(window), text(QUILLET_IDC_PROGRESS_STATUS),
                       text(QUILLET_IDC_PROGRESS_CURRENT), text(QUILLET_IDC_PROGRESS_COMMAND),
                       IsWindowVisible(window) != FALSE});
      const auto hook = onChange_;  // a hook may clear itself
      if (hook) hook(window);
    };
  }
  // Pumps until the run's window closed and its messages were handled.
  void WaitForTheRun() {
    for (int i = 0; i < 600 && app_->transfer->window && app_->transfer->window->hwnd != nullptr; ++i)
      platform::WaitAndProcessMessages(50);
    platform::ProcessMessages();
    ASSERT_TRUE(app_->transfer->window->hwnd == nullptr) << "the run did not end";
  }
  // How many of the five network commands can run.
  int EnabledCommands() {
    int enabled = 0;
    for (const char* item : k_networkCommandItems) enabled += app_->frame.commands.Enabled(item) ? 1 : 0;
    return enabled;
  }
  // A message put in the outbox and queued for the next send; its id.
  std::int32_t Queue(const std::string& text, const std::string& subject = "subject") {
    TBoxObject& outbox = app_->manager->Boxes().Standard(TBoxKind::Outbox);
    TMailHead head;
    const std::int32_t id = store_test::AddText(outbox.Box(), text, true, subject);
    EXPECT_TRUE(outbox.Box().ReadHead(id, head));
    head.State = 2;
    outbox.Box().WriteHead(head);
    outbox.ReleaseBox();
    return id;
  }
  int StatusParts() { return static_cast<int>(SendMessageW(app_->frame.statusBar, SB_GETPARTS, 0, 0)); }

  std::vector<TSeen> seen_;
  std::function<void(HWND)> onChange_;
};

// Refused commands show the core's text and start no run; send-and-receive tells the
// empty outbox, then goes on to the receive, which is refused in turn.
TEST_F(Transfer, RefusalsShowTheirTextsAndStartNothing) {
  struct TCase {
    const char* item;
    std::vector<std::string> texts;
  };
  const TCase cases[] = {
      {"M_file_getnewmail", {frame_texts::k_setServerFirst}},
      {"M_file_SendQueue", {frame_texts::k_noQueuedMail}},
      {"M_file_SendGet", {frame_texts::k_noQueuedMail, frame_texts::k_setServerFirst}},
  };
  ASSERT_EQ(Start(Folder()), 0);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.item);
    boxes_.clear();
    EXPECT_TRUE(ui::RunCommand(&app_->frame, c.item));
    std::vector<std::string> shown;
    for (const auto& box : boxes_) shown.push_back(box.text);
    EXPECT_EQ(shown, c.texts);
    EXPECT_EQ(app_->transfer->window, nullptr);
    EXPECT_EQ(app_->transfer->progress.Running(), TRunning::Idle);
  }
  // A further account of TBtn_Check's drop-down ("PM_recv1"), still without a server.
  TConnections connections(app_->manager->Setup().IniPath());
  TOneConnection spare;
  spare.Name = "备用";
  connections.Items().push_back(spare);
  connections.Save();
  ui::AddAccountReceiveCommands(app_.get());
  boxes_.clear();
  EXPECT_TRUE(ui::RunCommand(&app_->frame, "PM_recv1"));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, frame_texts::k_setServerFirst);
}

// While a run is on (2063 with 1) the five commands are greyed and the panel shows in a
// third part; a receive that still arrives only beeps. Its end (2063 with 3) undoes it.
TEST_F(Transfer, ARunGreysTheCommandsAndAReceiveOnlyBeeps) {
  ASSERT_EQ(Start(Folder()), 0);
  int beeps = 0;
  app_->transfer->beep = [&beeps] { ++beeps; };
  app_->transfer->progress.Begin(TProgressDirection::Send);
  EXPECT_EQ(EnabledCommands(), 0);
  EXPECT_FALSE(ui::RunCommand(&app_->frame, "M_file_getnewmail"));
  EXPECT_EQ(StatusParts(), 3);
  EXPECT_TRUE(IsWindowVisible(app_->transfer->panel.bar));
  ui::ReceiveNewMail(app_.get(), true);
  EXPECT_EQ(beeps, 1);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(app_->transfer->window, nullptr);
  app_->transfer->progress.End();
  EXPECT_EQ(EnabledCommands(), 5);
  EXPECT_EQ(StatusParts(), 2);
  EXPECT_FALSE(IsWindowVisible(app_->transfer->panel.bar));
}

// The window of a user's receive shows itself; SB_hide (with its hint) hides it and
// clears the record, SB_showprog brings it back. How the run then ends: BtnCancel and the
// window destroyed with its owner cancel it without an error; closing the window only
// hides it, so the refused connection is still told. The report of no new mail follows.
TEST_F(Transfer, ProgressWindowHidesShowsAndEnds) {
  enum class TEnding { CancelButton, Close, Destroyed };
  struct TCase {
    TEnding ending;
    std::vector<std::string> boxStarts;
  };
  const TCase cases[] = {{TEnding::CancelButton, {"对不起，没有新邮件"}},
                         {TEnding::Close, {k_textConnectFailed, "对不起，没有新邮件"}},
                         {TEnding::Destroyed, {"对不起，没有新邮件"}}};
  StartWithServer("127.0.0.1", 1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.ending));
    seen_.clear();
    boxes_.clear();
    onChange_ = [this, &c](HWND window) {
      onChange_ = nullptr;
      EXPECT_TRUE(IsWindowVisible(window));
      EXPECT_TRUE(app_->transfer->progressLeftVisible);
      EXPECT_EQ(kit::WindowTextGbk(GetDlgItem(window, QUILLET_IDC_PROGRESS_CANCEL)), "取消");
      SendDlgItemMessageW(window, QUILLET_IDC_PROGRESS_HIDE, BM_CLICK, 0, 0);
      EXPECT_FALSE(IsWindowVisible(window));
      EXPECT_FALSE(app_->transfer->progressLeftVisible);
      EXPECT_TRUE(ui::RunCommand(&app_->frame, "SB_showprog"));
      EXPECT_TRUE(IsWindowVisible(window));
      wchar_t hint[64] = {};
      TOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.hwnd = window;
      tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, QUILLET_IDC_PROGRESS_HIDE));
      tool.lpszText = hint;
      SendMessageW(app_->transfer->window->hint, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
      EXPECT_EQ(platform::win32::GbkFromWide(hint), "隐藏网络进度窗口");
      if (c.ending == TEnding::CancelButton) SendDlgItemMessageW(window, QUILLET_IDC_PROGRESS_CANCEL, BM_CLICK, 0, 0);
      if (c.ending == TEnding::Destroyed) DestroyWindow(window);
      if (c.ending == TEnding::Close) {
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_FALSE(IsWindowVisible(window));
      }
    };
    ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_getnewmail"));
    WaitForTheRun();
    ASSERT_FALSE(seen_.empty());
    EXPECT_EQ(seen_.front().caption, "接收邮件...");
    ASSERT_EQ(boxes_.size(), c.boxStarts.size());
    for (std::size_t i = 0; i < boxes_.size(); ++i) EXPECT_EQ(boxes_[i].text.rfind(c.boxStarts[i], 0), 0u) << boxes_[i].text;
    EXPECT_FALSE(ui::RunCommand(&app_->frame, "SB_showprog"));  // nothing runs to show
  }
}

// The check timer: a tick while a modal window is up is skipped; the next one starts a
// quiet receive whose window stays hidden, whose failure is shown, and which reports
// nothing when nothing came.
TEST_F(Transfer, AutomaticCheckSkipsModalTicksAndRunsHidden) {
  StartWithServer("127.0.0.1", 1);
  app_->manager->Settings().AutoCheck = true;
  app_->manager->Settings().AutoCheckMinutes = 1;
  app_->transfer->lastCheckEnded = GetTickCount64() - 2 * 60 * 1000;
  EnableWindow(app_->frame.hwnd, FALSE);
  SendMessageW(app_->frame.hwnd, WM_TIMER, ui::k_autoCheckTimer, 0);
  EXPECT_EQ(app_->transfer->window, nullptr);
  EnableWindow(app_->frame.hwnd, TRUE);
  SendMessageW(app_->frame.hwnd, WM_TIMER, ui::k_autoCheckTimer, 0);
  ASSERT_NE(app_->transfer->window, nullptr);
  WaitForTheRun();
  ASSERT_FALSE(seen_.empty());
  for (const TSeen& s : seen_) EXPECT_FALSE(s.visible) << s.status;
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind(k_textConnectFailed, 0), 0u) << boxes_[0].text;
  EXPECT_GT(app_->transfer->lastCheckEnded, GetTickCount64() - 60 * 1000);
}

// A send whose server refuses the connection: the window's caption is the send's, the
// failure is told, no receive report follows, and the queued message stays queued.
TEST_F(Transfer, FailedSendKeepsTheQueuedMessage) {
  StartWithServer("127.0.0.1", 1);
  TProfileFile ini(app_->manager->Setup().IniPath());
  ini.WriteString("Connection", "SMTPHost", "127.0.0.1");
  ini.WriteString("Connection", "SMTPPort", "1");
  TBoxObject& outbox = app_->manager->Boxes().Standard(TBoxKind::Outbox);
  const std::int32_t id = Queue("To: you@example.com\r\nSubject: s\r\n\r\nhi\r\n");
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_SendQueue"));
  WaitForTheRun();
  ASSERT_FALSE(seen_.empty());
  EXPECT_EQ(seen_.front().caption, "发送邮件...");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind(k_textConnectFailed, 0), 0u) << boxes_[0].text;
  EXPECT_EQ(QueuedIds(outbox.BasePath()), std::vector<std::int32_t>{id});
  EXPECT_EQ(EnabledCommands(), 5);
}

// M_tools_clearpwd forgets the passwords typed in this run.
TEST_F(Transfer, ClearPasswordsForgetsTypedOnes) {
  ASSERT_EQ(Start(Folder()), 0);
  app_->transfer->passwords.Set("pop.example.com", "alice", "secret");
  EXPECT_TRUE(ui::RunCommand(&app_->frame, "M_tools_clearpwd"));
  EXPECT_EQ(app_->transfer->passwords.Count(), 0u);
}

// The screen as a 24-bit BMP file (a picture of the progress window for a person to look at).
void SaveScreen(const std::string& path) {
  HDC screen = GetDC(nullptr);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  BITMAPFILEHEADER file{0x4d42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + size), 0, 0,
                        static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  bytes.append(static_cast<const char*>(bits), size);
  platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// The password dialog the run opens: what it asked, and the password typed into it.
// With a picture asked for, the dialog waits aside for a while, so that the screen shows
// the progress window mid-run, then the screen is saved.
struct TPasswordAnswer {
  std::string question;
  bool rememberChecked = false;
  int asked = 0;
  std::string shot;
  ULONGLONG seen = 0;
};
TPasswordAnswer* g_answer = nullptr;

BOOL CALLBACK AnswerPasswordDialog(HWND window, LPARAM) {
  if (GetDlgItem(window, QUILLET_IDC_PASSWORD_EDIT) == nullptr || !IsWindowVisible(window)) return TRUE;
  if (!g_answer->shot.empty()) {
    if (g_answer->seen == 0) {
      g_answer->seen = GetTickCount64();
      SetWindowPos(window, nullptr, 600, 560, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (GetTickCount64() - g_answer->seen < 1500) return FALSE;
    SaveScreen(g_answer->shot);
  }
  ++g_answer->asked;
  g_answer->question = kit::DialogItemTextGbk(window, QUILLET_IDC_PASSWORD_QUESTION);
  g_answer->rememberChecked = IsDlgButtonChecked(window, QUILLET_IDC_PASSWORD_REMEMBER) == BST_CHECKED;
  SetDlgItemTextW(window, QUILLET_IDC_PASSWORD_EDIT, L"secret");
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK LookForPasswordDialog(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), AnswerPasswordDialog, 0);
}

// The port of the peer ctest started, from the port file the variable names; a skip names
// why there is none.
bool PeerPort(const char* variable, int* port, std::string* why) {
  const char* portFile = std::getenv(variable);
  if (portFile == nullptr) {
    *why = std::string(variable) + " is not set: ctest starts this test's peer";
    return false;
  }
  const std::string folder = std::string(portFile).substr(0, std::string(portFile).rfind('/') + 1);
  if (platform::FileExists(folder + "not_started")) {
    *why = ReadWholeFile(folder + "not_started");
    return false;
  }
  *port = std::stoi(ReadWholeFile(portFile));
  return true;
}

// A user's receive from a real server: the password asked as "alice on 127.0.0.1", the
// labels as the session goes, the report of three new messages in the inbox, the tree's
// unread count and the list's rows read again.
TEST_F(Transfer, ReceiveFromDovecotShowsProgressAndReport) {
  int port = 0;
  std::string why;
  if (!PeerPort("QUILLET_POP3_PEER", &port, &why)) GTEST_SKIP() << why;
  StartWithServer("127.0.0.1", port);
  TProfileFile(app_->manager->Setup().IniPath()).WriteString("Receive", "LeaveInServer", "1");
  TPasswordAnswer answer;
  if (const char* shot = std::getenv("QUILLET_TRANSFER_SHOT")) answer.shot = shot;
  g_answer = &answer;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForPasswordDialog);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_getnewmail"));
  WaitForTheRun();
  KillTimer(nullptr, timer);
  g_answer = nullptr;

  EXPECT_EQ(answer.asked, 1);
  EXPECT_EQ(answer.question, "alice on 127.0.0.1");
  EXPECT_TRUE(answer.rememberChecked);
  std::vector<std::string> counts, commands;
  for (const TSeen& s : seen_) {
    EXPECT_TRUE(s.visible);
    if (!s.current.empty() && (counts.empty() || counts.back() != s.current)) counts.push_back(s.current);
    if (!s.command.empty()) commands.push_back(s.command);
  }
  EXPECT_EQ(counts, (std::vector<std::string>{"共 3 封，还剩 3 封", "共 3 封，还剩 2 封", "共 3 封，还剩 1 封"}));
  EXPECT_NE(std::find(commands.begin(), commands.end(), "PASS <...>"), commands.end());
  EXPECT_NE(std::find(commands.begin(), commands.end(), "RETR 3"), commands.end());
  ASSERT_FALSE(seen_.empty());
  EXPECT_EQ(seen_.back().status, "空闲");  // the client reset after the account

  std::vector<std::string> shown;
  for (const auto& box : boxes_) shown.push_back(box.text);
  EXPECT_EQ(shown, (std::vector<std::string>{"收到 3 封新邮件\r\n3 封邮件保存到：收件箱"}));
  EXPECT_EQ(app_->transfer->passwords.Count(), 1u);
  EXPECT_EQ(EnabledCommands(), 5);
  ui::TTreeWindow* tree = app_->treeWindow.get();
  EXPECT_EQ(quillet_gui_test::FirstTreeText(tree->tree), "收件箱 (3)");
  ASSERT_EQ(SendMessageW(tree->list, LVM_GETITEMCOUNT, 0, 0), 3);
  std::vector<std::string> subjects;
  for (int row = 0; row < 3; ++row)
    subjects.push_back(quillet_gui_test::CellText(tree->list, row, static_cast<int>(TListColumn::Subject)));
  std::sort(subjects.begin(), subjects.end());
  EXPECT_EQ(subjects, (std::vector<std::string>{"seeded 1", "seeded 2", "seeded 3"}));
}

// A send through a real SMTP server: the sink stored the message as written, it left the
// queue for the sent mailbox, and the progress window's last step was the logout.
TEST_F(Transfer, SendThroughSinkMovesTheMessageToSent) {
  int port = 0;
  std::string why;
  if (!PeerPort("QUILLET_SMTP_SINK", &port, &why)) GTEST_SKIP() << why;
  const std::string sink = std::getenv("QUILLET_SMTP_SINK");
  const std::string folder = sink.substr(0, sink.rfind('/') + 1);
  StartWithServer("127.0.0.1", 1);
  TProfileFile ini(app_->manager->Setup().IniPath());
  ini.WriteString("Connection", "SMTPHost", "127.0.0.1");
  ini.WriteString("Connection", "SMTPPort", std::to_string(port));
  ini.WriteString("Connection", "MailAddress", "me@example.com");
  const std::string body = "From: me@example.com\r\nTo: you@example.com\r\nSubject: through the sink\r\n\r\nhi\r\n";
  Queue(body, "through the sink");
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_SendQueue"));
  WaitForTheRun();

  ASSERT_TRUE(platform::FileExists(folder + "msg0001.eml")) << "the sink got nothing";
  EXPECT_NE(ReadWholeFile(folder + "msg0001.eml").find("Subject: through the sink"), std::string::npos);
  TBoxObject& outbox = app_->manager->Boxes().Standard(TBoxKind::Outbox);
  EXPECT_TRUE(QueuedIds(outbox.BasePath()).empty());
  TBoxObject& sent = app_->manager->Boxes().Standard(TBoxKind::Sentbox);
  EXPECT_EQ(sent.Name(), "已发送邮件");
  std::vector<std::int32_t> ids;
  sent.Box().ListIds(ids);
  ASSERT_EQ(ids.size(), 1u);
  TMailHead head;
  ASSERT_TRUE(sent.Box().ReadHead(ids[0], head));
  EXPECT_EQ(head.Subject, "through the sink");
  sent.ReleaseBox();
  ASSERT_FALSE(seen_.empty());
  EXPECT_EQ(seen_.front().caption, "发送邮件...");
  EXPECT_EQ(seen_.back().status, "退出登录");  // the send's last step, QUIT
  EXPECT_EQ(seen_.back().current, "");
  EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
  EXPECT_EQ(EnabledCommands(), 5);
}

}  // namespace
