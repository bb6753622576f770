// Reading mail in the mail client made in the test's process: the viewer window with its
// envelope, text and attachments, the attachments opened through a recording shell and
// saved through a scripted dialog, marking read after the shown time, the preview pane
// following the list, its layout commands, and the raw message window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/common/gbk.h"
#include "quillet/common/profile_file.h"
#include "quillet/ui/child_control.h"
#include "quillet/ui/client_start.h"
#include "quillet/ui/list_looks.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/transfer_resources.h"
#include "quillet/ui/viewer_resources.h"
#include "quillet/viewer/viewer_texts.h"
#include "tests/gui/quillet/client_fixture.h"
#include "tests/store/mailbox/store_test_support.h"

namespace {

namespace ui = quillet::ui;
namespace kit = platform::win32::ui;

constexpr char k_attached[] =
    "From: 张三 <zhang@example.com>\r\nTo: li@example.com\r\nSubject: 附件测试\r\n"
    "Date: Tue, 8 Dec 2026 10:00:00 +0800\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"b1\"\r\n\r\n"
    "--b1\r\nContent-Type: text/plain; charset=gb2312\r\n\r\n正文 http://example.com/page\r\n"
    "--b1\r\nContent-Type: text/plain; name=\"a.txt\"\r\nContent-Disposition: attachment; filename=\"a.txt\"\r\n"
    "Content-Transfer-Encoding: base64\r\n\r\naGVsbG8=\r\n--b1--\r\n";

class TRecordingShell : public TShellOpen {
 public:
  explicit TRecordingShell(int result) : result_(result) {}
  int Open(const std::string& path) override {
    paths.push_back(path);
    return result_;
  }
  std::vector<std::string> paths;

 private:
  int result_;
};

class Viewer : public quillet_gui_test::ClientWindow {
 protected:
  // Starts the client with the messages (text, unread) in the inbox, shown in the list;
  // attachments' files go to the scratch folder.
  void StartWith(const std::vector<std::pair<std::string, bool>>& messages) {
    ASSERT_EQ(Start(Folder()), 0);
    TBoxObject& inbox = app_->manager->Boxes().Standard(TBoxKind::Inbox);
    for (const auto& [text, unread] : messages) store_test::AddText(inbox.Box(), text, unread);
    inbox.ReleaseBox();
    ui::ShowMailbox(tree(), 0);
    app_->viewer->services.tempFolder = Folder();
    shell_ = new TRecordingShell(42);
    app_->viewer->services.shell.reset(shell_);
  }
  ui::TTreeWindow* tree() { return app_->treeWindow.get(); }
  ui::TMessagePane& preview() { return app_->viewer->preview; }
  ui::TMessagePane& OpenRow(int row) {
    ui::SelectListRow(tree()->list, row);
    EXPECT_TRUE(ui::RunCommand(&app_->frame, "M_file_open"));
    ui::TViewerWindow* viewer = ui::ActiveViewer(app_.get());
    EXPECT_NE(viewer, nullptr);
    return viewer->pane;
  }
  void UseShell(int result) {
    shell_ = new TRecordingShell(result);
    app_->viewer->services.shell.reset(shell_);
  }
  // Shows the mailbox in the list and opens a viewer on one of its messages.
  ui::TViewerWindow* OpenMessage(TBoxObject& box, std::int32_t id) {
    for (std::size_t row = 0; row < tree()->rows.size(); ++row)
      if (tree()->rows[row].box == &box) ui::ShowMailbox(tree(), row);
    OpenRow(tree()->messages->RowOf(id));
    return ui::ActiveViewer(app_.get());
  }
  bool ViewerOpen(const ui::TViewerWindow* viewer) {
    const auto& open = app_->viewer->viewers;
    return std::any_of(open.begin(), open.end(), [viewer](const auto& v) { return v.get() == viewer; });
  }

  TRecordingShell* shell_ = nullptr;
};

std::string Field(const ui::TMessagePane& pane, int index) { return kit::WindowTextGbk(pane.fields[index]); }

void Click(const ui::TMessagePane& pane, int id) {
  SendMessageW(pane.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(pane.hwnd, id)));
}

// Runs the message loop until the condition holds or two seconds pass.
template <class TCondition>
bool PumpUntil(TCondition condition) {
  for (int i = 0; i < 200 && !condition(); ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  return condition();
}

// A double click (or Enter) on a row opens the viewer: the envelope decoded, the text with its
// address detected as a link, the attachment listed; the title is the subject.
TEST_F(Viewer, OpenShowsEnvelopeTextAndAttachments) {
  StartWith({{k_attached, false}});
  ui::SelectListRow(tree()->list, 0);
  for (const UINT code : {static_cast<UINT>(NM_DBLCLK), static_cast<UINT>(NM_RETURN)}) {
    NMITEMACTIVATE click{};
    click.hdr = {tree()->list, 2, code};
    SendMessageW(tree()->hwnd, WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&click));
  }
  ASSERT_EQ(app_->viewer->viewers.size(), 1u);  // Enter on the same row finds the open viewer
  ui::TViewerWindow* viewer = ui::ActiveViewer(app_.get());
  ASSERT_NE(viewer, nullptr);
  const ui::TMessagePane& pane = viewer->pane;
  const char* expected[] = {"张三 <zhang@example.com>", "li@example.com", "Tue, 8 Dec 2026 10:00:00 +0800", "附件测试"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Field(pane, i), expected[i]);
  EXPECT_EQ(kit::WindowTextGbk(viewer->hwnd), "附件测试");
  const std::string body = kit::WindowTextGbk(pane.body);
  const std::size_t link = body.find("http://");
  ASSERT_NE(link, std::string::npos) << body;
  EXPECT_EQ(body.substr(0, 5), "正文 ");
  const LONG at = static_cast<LONG>(platform::win32::WideFromGbk(body.substr(0, link)).size()) + 2;
  CHARRANGE inside{at, at + 1};
  SendMessageW(pane.body, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&inside));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  SendMessageW(pane.body, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_NE(format.dwEffects & CFE_LINK, 0u);
  ASSERT_EQ(SendMessageW(pane.attachments, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(quillet_gui_test::CellText(pane.attachments, 0, 0), "a.txt");
  EXPECT_EQ(quillet_gui_test::CellText(pane.attachments, 0, 1), "text/plain");
  EXPECT_TRUE(IsWindowVisible(pane.openButton));
  EXPECT_FALSE(IsWindowVisible(pane.browserButton));
}

// A click on a link in the body opens its address through the shell; a failure is told.
TEST_F(Viewer, LinkClickOpensTheAddress) {
  StartWith({{k_attached, false}});
  ui::TMessagePane& pane = OpenRow(0);
  UseShell(31);
  const std::wstring body = platform::win32::WideFromGbk(kit::WindowTextGbk(pane.body));
  const LONG start = static_cast<LONG>(body.find(L"http://"));
  ENLINK link{};
  link.nmhdr = {pane.body, QUILLET_IDC_VIEWER_BODY, static_cast<UINT>(EN_LINK)};
  link.msg = WM_LBUTTONUP;
  link.chrg = {start, start + 23};
  SendMessageW(pane.hwnd, WM_NOTIFY, QUILLET_IDC_VIEWER_BODY, reinterpret_cast<LPARAM>(&link));
  ASSERT_EQ(shell_->paths.size(), 1u);
  EXPECT_EQ(shell_->paths[0], "http://example.com/page");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, viewer_texts::k_noAssociation);
}

// Open writes the attachment to its temporary file once and hands it to the shell; the
// shell's failures are told with their texts.
TEST_F(Viewer, AttachmentOpensThroughTheShell) {
  StartWith({{k_attached, false}});
  ui::TMessagePane& pane = OpenRow(0);
  struct TCase {
    int result;
    std::string box;
  };
  const TCase cases[] = {{42, ""}, {31, "没有关联文件来打开此文件"}, {2, "文件打开错误：2"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.result);
    boxes_.clear();
    UseShell(c.result);
    Click(pane, QUILLET_IDC_VIEWER_OPEN);
    ASSERT_EQ(shell_->paths.size(), 1u);
    EXPECT_EQ(shell_->paths[0], Folder() + "a.txt");
    EXPECT_EQ(store_test::ReadFileBytes(Folder() + "a.txt"), "hello");
    ASSERT_EQ(boxes_.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_EQ(boxes_[0].text, c.box);
    }
  }
}

// Save proposes the attachment's name with the "All Files" filter and writes the chosen
// file; a cancelled dialog writes nothing.
TEST_F(Viewer, AttachmentSavesToTheChosenFile) {
  StartWith({{k_attached, false}});
  ui::TMessagePane& pane = OpenRow(0);
  std::vector<kit::FileDialogRequest> asked;
  bool accept = false;
  app_->viewer->services.saveDialog = [&](kit::FileDialogRequest* request) {
    asked.push_back(*request);
    request->path = Folder() + "saved.txt";
    return accept;
  };
  Click(pane, QUILLET_IDC_VIEWER_SAVE);
  EXPECT_FALSE(platform::FileExists(Folder() + "saved.txt"));
  accept = true;
  Click(pane, QUILLET_IDC_VIEWER_SAVE);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].path, "a.txt");
  ASSERT_EQ(asked[0].filters.size(), 1u);
  EXPECT_EQ(asked[0].filters[0].first, "All Files(*.*)");
  EXPECT_EQ(asked[0].filters[0].second, "*.*");
  EXPECT_EQ(store_test::ReadFileBytes(Folder() + "saved.txt"), "hello");
}

// An HTML message shows its HTML part's text; "open in browser" writes the page with its
// picture's link pointed at the picture's file and opens it with the shell.
TEST_F(Viewer, HtmlMessageOpensItsPageInTheBrowser) {
  const std::string html =
      "From: a@example.com\r\nSubject: page\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/related; boundary=\"r\"\r\n\r\n"
      "--r\r\nContent-Type: text/html\r\n\r\n<html><body><p>你好 &amp; 再见</p><img src=\"cid:p1\"></body></html>\r\n"
      "--r\r\nContent-Type: image/gif; name=\"p.gif\"\r\nContent-ID: <p1>\r\nContent-Transfer-Encoding: base64\r\n\r\n"
      "R0lGODlhAQABAAAAACw=\r\n--r--\r\n";
  StartWith({{html, false}});
  ui::TMessagePane& pane = OpenRow(0);
  EXPECT_NE(kit::WindowTextGbk(pane.body).find("你好 & 再见"), std::string::npos) << kit::WindowTextGbk(pane.body);
  ASSERT_TRUE(IsWindowVisible(pane.browserButton));
  Click(pane, QUILLET_IDC_VIEWER_BROWSER);
  ASSERT_EQ(shell_->paths.size(), 1u);
  const std::string page = store_test::ReadFileBytes(shell_->paths[0]);
  const std::size_t src = page.find("<img src=\"");
  ASSERT_NE(src, std::string::npos) << page;
  const std::string picture = page.substr(src + 10, page.find('"', src + 10) - src - 10);
  EXPECT_EQ(gbk::LowerCase(picture), "p.gif");
  EXPECT_TRUE(platform::FileExists(Folder() + picture));
}

// An unread message shown in the preview for AutoReadSeconds is marked read: in the
// mailbox, in the list's row and in the counts.
TEST_F(Viewer, ShownMessageIsMarkedReadAfterItsTime) {
  StartWith({{store_test::MessageText("unread one"), true}});
  app_->manager->Settings().AutoReadSeconds = 0;
  ui::SelectListRow(tree()->list, 0);
  ASSERT_NE(preview().message, nullptr);
  EXPECT_EQ(tree()->messages->Head(0).Unread, 1);
  ASSERT_TRUE(PumpUntil([&] { return tree()->messages->Head(0).Unread == 0; }));
  EXPECT_EQ(ui::StatusText(&app_->frame, ui::k_statusListPanel), "共: 1, 未读: 0");
  TMailHead head;
  TBoxObject& inbox = app_->manager->Boxes().Standard(TBoxKind::Inbox);
  ASSERT_TRUE(inbox.Box().ReadHead(tree()->messages->Head(0).Id, head));
  inbox.ReleaseBox();
  EXPECT_EQ(head.Unread, 0);
}

// The preview shows the list's selection; next and previous move it, and a viewer that
// is active moves with them.
TEST_F(Viewer, PreviewFollowsTheSelection) {
  StartWith({{store_test::MessageText("第一"), false}, {store_test::MessageText("第二"), false}});
  EXPECT_EQ(preview().message, nullptr);
  ui::SelectListRow(tree()->list, 1);
  EXPECT_EQ(Field(preview(), 3), "第二");
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "TBtn_previous"));
  EXPECT_EQ(Field(preview(), 3), "第一");
  ui::TMessagePane& viewer = OpenRow(0);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "TBtn_next"));
  EXPECT_EQ(Field(viewer, 3), "第二");
  EXPECT_EQ(ui::SelectedListRow(tree()->list), 1);
  EXPECT_EQ(Field(preview(), 3), "第二");
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The layout items: the split below or beside the list (kept in the ini), the preview
// hidden and shown again (once by the status bar's SB_preview, pressed while it shows),
// word wrap turned round.
TEST_F(Viewer, LayoutCommandsPlaceThePreviewAndKeepTheirSettings) {
  StartWith({{store_test::MessageText("长", std::string(400, 'x') + " end"), false}});
  ui::SelectListRow(tree()->list, 0);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_view_V"));
  RECT list = ChildRect(tree()->hwnd, tree()->list);
  RECT pane = ChildRect(tree()->hwnd, preview().hwnd);
  EXPECT_EQ(list.right - list.left, 140);
  EXPECT_EQ(pane.top, list.top);
  EXPECT_EQ(pane.left, list.right + 5);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_view_H"));
  list = ChildRect(tree()->hwnd, tree()->list);
  pane = ChildRect(tree()->hwnd, preview().hwnd);
  EXPECT_EQ(list.bottom - list.top, 140);
  EXPECT_EQ(pane.top, list.bottom + 5);
  const LRESULT unwrapped = SendMessageW(preview().body, EM_GETLINECOUNT, 0, 0);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_edit_wordwrap"));
  EXPECT_GT(SendMessageW(preview().body, EM_GETLINECOUNT, 0, 0), unwrapped);
  const HWND previewButton = GetDlgItem(app_->frame.statusBar, QUILLET_IDC_SHOW_PREVIEW);
  EXPECT_EQ(IsDlgButtonChecked(app_->frame.statusBar, QUILLET_IDC_SHOW_PREVIEW), BST_CHECKED);
  SendMessageW(previewButton, BM_CLICK, 0, 0);  // SB_preview runs M_tools_title
  EXPECT_FALSE(IsWindowVisible(preview().hwnd));
  EXPECT_EQ(IsDlgButtonChecked(app_->frame.statusBar, QUILLET_IDC_SHOW_PREVIEW), BST_UNCHECKED);
  EXPECT_EQ(preview().message, nullptr);
  const TProfileFile ini(Folder() + "quillet.INI");
  EXPECT_EQ(ini.ReadInteger("Window Position", "preview", 1), 0);
  EXPECT_EQ(ini.ReadInteger("Window Position", "SplitType", 1), 0);
  EXPECT_EQ(ini.ReadInteger("Receive", "Wordwrap", 0), 1);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_tools_title"));
  EXPECT_TRUE(IsWindowVisible(preview().hwnd));
  EXPECT_EQ(IsDlgButtonChecked(app_->frame.statusBar, QUILLET_IDC_SHOW_PREVIEW), BST_CHECKED);
  EXPECT_EQ(Field(preview(), 3), "长");
}

// A drag of the splitter moves it and keeps its position in the ini file.
TEST_F(Viewer, SplitterDragIsKept) {
  StartWith({{store_test::MessageText("拖"), false}});
  const LPARAM down = MAKELPARAM(300, 142);
  const LPARAM to = MAKELPARAM(300, 202);
  SendMessageW(tree()->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, down);
  SendMessageW(tree()->hwnd, WM_MOUSEMOVE, MK_LBUTTON, to);
  SendMessageW(tree()->hwnd, WM_LBUTTONUP, 0, to);
  const RECT list = ChildRect(tree()->hwnd, tree()->list);
  EXPECT_EQ(list.bottom - list.top, 200);
  const TProfileFile ini(Folder() + "quillet.INI");
  EXPECT_EQ(ini.ReadInteger("Window Position", "HSplitPos", 0), 200);
}

// The edit items act on the focused text control and are greyed elsewhere.
TEST_F(Viewer, EditItemsActOnTheFocusedText) {
  StartWith({{store_test::MessageText("拷贝", "copy me"), false}});
  ui::TMessagePane& pane = OpenRow(0);
  SetFocus(tree()->list);
  EXPECT_FALSE(app_->frame.commands.Enabled("M_edit_copy"));
  SetFocus(pane.body);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_edit_selectall"));
  CHARRANGE selected{};
  SendMessageW(pane.body, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selected));
  EXPECT_EQ(selected.cpMin, 0);
  EXPECT_GE(selected.cpMax, 7);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_edit_copy"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const std::wstring copied = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
  if (data != nullptr) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_NE(copied.find(L"copy me"), std::wstring::npos);
  EXPECT_TRUE(ui::ViewerOpenFor(app_.get(), &app_->manager->Boxes().Standard(TBoxKind::Inbox)));
}

// Save as writes the selected message's text to the chosen file, offering the message
// file filter.
TEST_F(Viewer, SaveAsWritesTheSelectedMessage) {
  const std::string text = store_test::MessageText("另存");
  StartWith({{text, false}});
  ui::SelectListRow(tree()->list, 0);
  std::vector<kit::FileDialogRequest> asked;
  app_->viewer->services.saveDialog = [&](kit::FileDialogRequest* request) {
    asked.push_back(*request);
    request->path = Folder() + "one.eml";
    return true;
  };
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_saveas"));
  ASSERT_EQ(asked.size(), 1u);
  ASSERT_EQ(asked[0].filters.size(), 4u);
  EXPECT_EQ(asked[0].filters[1].first, "Exchange邮件(*.msg)");
  EXPECT_EQ(asked[0].filters[1].second, "*.msg");
  EXPECT_EQ(store_test::ReadFileBytes(Folder() + "one.eml"), text);
}

// The raw message window holds the header lines and the whole text as stored.
TEST_F(Viewer, RawWindowShowsHeaderAndWholeText) {
  StartWith({{k_attached, false}});
  ui::SelectListRow(tree()->list, 0);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_msg_rawhead"));
  ASSERT_EQ(app_->viewer->rawWindows.size(), 1u);
  const ui::TRawWindow& raw = *app_->viewer->rawWindows[0];
  const std::string text = k_attached;
  EXPECT_EQ(kit::WindowTextGbk(raw.text), text);
  EXPECT_EQ(kit::WindowTextGbk(raw.header), text.substr(0, text.find("\r\n\r\n") + 2));
  EXPECT_EQ(kit::WindowTextGbk(raw.hwnd), viewer_texts::k_rawTitle);
}

// A viewer closes when its message leaves its mailbox, whether a command of the list or
// another writer of the store moved it; compaction keeps it.
TEST_F(Viewer, ViewerClosesWhenItsMessageLeaves) {
  StartWith({});
  TBoxObject& inbox = app_->manager->Boxes().Standard(TBoxKind::Inbox);
  const auto run = [this](const char* item) { ASSERT_TRUE(ui::RunCommand(&app_->frame, item)); };
  const std::tuple<const char*, TBoxKind, std::function<void(TBoxObject & box, std::int32_t id)>, bool> cases[] = {
      {"deleted from the list", TBoxKind::Inbox, [&](TBoxObject&, std::int32_t) { run("M_msg_delete"); }, false},
      {"moved by the store", TBoxKind::Inbox, [&](TBoxObject& box, std::int32_t id) {
         app_->manager->MoveMessages(box, {id}, app_->manager->Boxes().Standard(TBoxKind::Sentbox)); }, false},
      {"trash emptied", TBoxKind::Trashbox, [&](TBoxObject&, std::int32_t) { run("M_box_emptytrash"); }, false},
      {"mailbox deleted", TBoxKind::User, [&](TBoxObject&, std::int32_t) { run("M_box_delete"); }, false},
      {"compacted", TBoxKind::Inbox, [&](TBoxObject& box, std::int32_t) {
         app_->manager->DeleteMessages(box, {store_test::AddText(box.Box(), store_test::MessageText("x"))});
         run("M_box_compressone"); }, true}};
  answer_ = IDYES;
  for (const auto& [what, kind, change, open] : cases) {
    SCOPED_TRACE(what);
    TBoxObject& box = kind == TBoxKind::User ? app_->manager->CreateBox("箱") : app_->manager->Boxes().Standard(kind);
    const std::int32_t id = store_test::AddText(box.Box(), store_test::MessageText(what));
    box.ReleaseBox();
    ui::ShowChanges(tree());
    ui::TViewerWindow* viewer = OpenMessage(box, id);
    SendMessageW(app_->frame.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(tree()->hwnd), 0);
    ui::SelectListRow(tree()->list, tree()->messages->RowOf(id));
    change(box, id);
    EXPECT_TRUE(PumpUntil([&] { return ViewerOpen(viewer) == open; }));
    if (open) {
      EXPECT_EQ(Field(viewer->pane, 3), what);
    }
  }
  EXPECT_EQ(inbox.Box().GetSpaceInfo().LiveCount, 1);
  inbox.ReleaseBox();
}

// Delete and move run from the viewer act on its message (not the list's selection) and
// show the next one of the list, selected there too; after the last one it closes.
TEST_F(Viewer, DeleteOrMoveFromTheViewerShowsTheNextMessage) {
  const std::string second = store_test::MessageText("第二");
  StartWith({{store_test::MessageText("第一"), false}, {second, false}, {store_test::MessageText("第三"), false}});
  TBoxObject& work = app_->manager->CreateBox("工作");
  ui::TMessagePane& pane = OpenRow(0);
  const ui::TViewerWindow* viewer = ui::ActiveViewer(app_.get());
  const std::int32_t secondId = tree()->messages->Head(1).Id;
  ui::SelectListRow(tree()->list, 2);
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_msg_delete"));
  EXPECT_EQ(Field(pane, 3), "第二");
  EXPECT_EQ(tree()->messages->Head(ui::SelectedListRow(tree()->list)).Id, secondId);
  for (const auto& entry : app_->frame.commands.PopupEntries("M_msg_transfer")) {
    if (entry.caption == "工作") entry.action();
  }
  EXPECT_EQ(Field(pane, 3), "第三");
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_msg_delete"));
  EXPECT_FALSE(ViewerOpen(viewer));
  const auto live = [this](TBoxKind kind) {
    return app_->manager->Boxes().Standard(kind).Box().GetSpaceInfo().LiveCount;
  };
  EXPECT_EQ(live(TBoxKind::Inbox), 0);
  EXPECT_EQ(live(TBoxKind::Trashbox), 2);
  EXPECT_EQ(store_test::ReadText(work.Box(), 1), second);
}

// A right click in the viewer's body (not the preview's) pops up the priority menu, the
// message's priority checked; "紧急优先级" writes priority 1 into its record, and the
// list's row gets the high picture and comes first in a sort by priority.
TEST_F(Viewer, PriorityMenuSetsTheMessagesPriority) {
  StartWith({{store_test::MessageText("甲"), false}, {store_test::MessageText("乙"), false}});
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_sort_priority"));
  std::vector<std::string> items;  // caption, then "+" when checked
  app_->viewer->services.trackMenu = [&](HMENU menu, HWND, POINT) {
    for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
      const bool checked = (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) != 0;
      items.push_back(platform::win32::GbkFromWide(text) + (checked ? "+" : ""));
    }
    return QUILLET_IDM_PRIORITY_HIGH;
  };
  ui::SelectListRow(tree()->list, 1);
  SendMessageW(preview().body, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(items.empty());
  const std::int32_t id = OpenRow(1).id;
  SendMessageW(ui::ActiveViewer(app_.get())->pane.body, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(items, (std::vector<std::string>{"紧急优先级", "一般优先级+", "低优先级"}));
  TMailHead head;
  ASSERT_TRUE(app_->manager->Boxes().Standard(TBoxKind::Inbox).Box().ReadHead(id, head));
  EXPECT_EQ(head.Priority, 1);
  EXPECT_EQ(tree()->messages->Head(0).Id, id);
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  SendMessageW(tree()->list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  TListRow high;
  high.priority = TPriorityIcon::High;
  EXPECT_EQ(item.iImage, ui::CellPicture(high, 0));
  EXPECT_NE(item.iImage, -1);
}

}  // namespace
