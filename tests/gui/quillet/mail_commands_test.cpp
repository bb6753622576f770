// Filing, marking, moving, finding, importing and exporting mail in the main window, run
// through the commands as the menu runs them; the dialogs answered through their seams,
// and driven themselves where they hold something to read back.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/file.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/common/stream.h"
#include "quillet/frame/message_list.h"
#include "quillet/ui/box_property_dialog.h"
#include "quillet/ui/find_dialog.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/mail_commands_resources.h"
#include "quillet/ui/main_menu.h"
#include "quillet/ui/text_prompt_dialog.h"
#include "tests/gui/quillet/client_fixture.h"

namespace {

namespace ui = quillet::ui;
namespace kit = platform::win32::ui;

class MailCommands : public quillet_gui_test::ClientWindow {
 protected:
  void SetUp() override {
    ClientWindow::SetUp();
    ASSERT_EQ(Start(Folder()), 0);
    window_ = app_->treeWindow.get();
  }
  TBoxObject& Box(TBoxKind kind) { return app_->manager->Boxes().Standard(kind); }
  // Messages with these subjects (all unread) in the mailbox, shown when it is the current.
  std::vector<std::int32_t> Fill(TBoxObject& box, const std::vector<std::string>& subjects) {
    std::vector<std::int32_t> ids;
    for (const auto& subject : subjects)
      ids.push_back(store_test::AddText(box.Box(), store_test::MessageText(subject), true, subject));
    box.ReleaseBox();
    ui::ShowChanges(window_);
    return ids;
  }
  void Select(const std::vector<std::int32_t>& ids) { ui::SelectIds(window_, ids); }
  std::vector<std::string> Subjects() const {
    std::vector<std::string> subjects;
    const auto count = static_cast<int>(SendMessageW(window_->list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
      subjects.push_back(quillet_gui_test::CellText(window_->list, row, static_cast<int>(TListColumn::Subject)));
    return subjects;
  }
  std::vector<std::string> SubjectsIn(TBoxObject& box) {
    THeadList heads;
    box.Box().LoadHeads(heads);
    box.ReleaseBox();
    std::vector<std::string> subjects;
    for (const auto& head : heads.Items()) subjects.push_back(head->Subject);
    return subjects;
  }
  TMailHead HeadOf(TBoxObject& box, std::int32_t id) {
    TMailHead head;
    EXPECT_TRUE(box.Box().ReadHead(id, head));
    box.ReleaseBox();
    return head;
  }
  // Opens the menu that holds the item as a person would (its submenus made), then
  // chooses the entry of the item's submenu with this caption; false when there is none.
  bool ChooseEntry(const std::string& item, const std::string& caption) {
    HMENU bar = GetMenu(app_->frame.hwnd);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
      HMENU menu = GetSubMenu(bar, i);
      if (menu == nullptr) continue;
      SendMessageW(app_->frame.hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), i);
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_SUBMENU;
      if (!GetMenuItemInfoW(menu, static_cast<UINT>(ui::CommandId(item)), FALSE, &info) || info.hSubMenu == nullptr)
        continue;
      for (int entry = 0; entry < GetMenuItemCount(info.hSubMenu); ++entry) {
        wchar_t text[128] = {};
        GetMenuStringW(info.hSubMenu, static_cast<UINT>(entry), text, 127, MF_BYPOSITION);
        if (platform::win32::GbkFromWide(text) != caption) continue;
        SendMessageW(app_->frame.hwnd, WM_COMMAND, GetMenuItemID(info.hSubMenu, entry), 0);
        return true;
      }
    }
    return false;
  }

  ui::TTreeWindow* window_ = nullptr;
};

// Marking the selection through the mark items and the label submenu writes the heads
// and shows them (the status counts); without a selection the items are greyed.
TEST_F(MailCommands, MarkingChangesTheSelectedMessages) {
  const auto ids = Fill(Box(TBoxKind::Inbox), {"one", "two"});
  EXPECT_FALSE(app_->frame.commands.Enabled("M_msg_markread"));
  Select({ids[1]});
  struct TCase {
    const char* item;
    const char* labelEntry;
    std::uint8_t unread;
    bool replied;
    std::uint16_t label;
    const char* status;
  };
  const TCase cases[] = {
      {"M_msg_markread", nullptr, 0, false, 0, "共: 2, 未读: 1"},
      {"M_msg_markreplied", nullptr, 0, true, 0, "共: 2, 未读: 1"},
      {nullptr, "标签2", 0, true, 2, "共: 2, 未读: 1"},
      {"M_msg_markunread", nullptr, 1, true, 2, "共: 2, 未读: 2"},
      {"M_msg_markunreplied", nullptr, 1, false, 2, "共: 2, 未读: 2"},
      {nullptr, "<无>", 1, false, 0, "共: 2, 未读: 2"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.item != nullptr ? c.item : c.labelEntry);
    if (c.item != nullptr) ASSERT_TRUE(ui::RunCommand(&app_->frame, c.item));
    else ASSERT_TRUE(ChooseEntry("M_msg_label", c.labelEntry));
    const TMailHead head = HeadOf(Box(TBoxKind::Inbox), ids[1]);
    EXPECT_EQ(head.Unread, c.unread);
    EXPECT_EQ(head.Replied, c.replied);
    EXPECT_EQ(head.Label, c.label);
    EXPECT_EQ(HeadOf(Box(TBoxKind::Inbox), ids[0]).Unread, 1);
    EXPECT_EQ(ui::StatusText(&app_->frame, ui::k_statusListPanel), c.status);
    EXPECT_EQ(ui::SelectedIds(*window_), std::vector<std::int32_t>{ids[1]});
  }
}

// Moving by the transfer submenu, by the Delete key (to the trash), by dragging onto a
// tree mailbox, then deleting in the trash and emptying it after its question.
TEST_F(MailCommands, MoveDeleteAndEmptyTrash) {
  const auto ids = Fill(Box(TBoxKind::Inbox), {"a", "b", "c", "d"});
  Select({ids[0]});
  ASSERT_TRUE(ChooseEntry("M_msg_transfer", "已发送邮件"));
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"b", "c", "d"}));
  EXPECT_EQ(SubjectsIn(Box(TBoxKind::Sentbox)), std::vector<std::string>{"a"});
  EXPECT_FALSE(ChooseEntry("M_msg_transfer", "收件箱"));  // not into the mailbox itself

  Select({ids[1]});
  NMLVKEYDOWN key{};
  key.hdr = {window_->list, 2, static_cast<UINT>(LVN_KEYDOWN)};
  key.wVKey = VK_DELETE;
  SendMessageW(window_->hwnd, WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&key));
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(SubjectsIn(Box(TBoxKind::Trashbox)), std::vector<std::string>{"b"});

  Select({ids[2]});  // dragged onto the trash's tree item
  NMLISTVIEW drag{};
  drag.hdr = {window_->list, 2, static_cast<UINT>(LVN_BEGINDRAG)};
  SendMessageW(window_->hwnd, WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&drag));
  HTREEITEM trash = TreeView_GetRoot(window_->tree);
  for (int i = 0; i < 3; ++i) trash = TreeView_GetNextSibling(window_->tree, trash);
  RECT place{};
  ASSERT_TRUE(TreeView_GetItemRect(window_->tree, trash, &place, TRUE));
  POINT drop{place.left + 2, place.top + 2};
  MapWindowPoints(window_->tree, window_->hwnd, &drop, 1);
  SendMessageW(window_->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
  EXPECT_EQ(Subjects(), std::vector<std::string>{"d"});
  EXPECT_EQ(SubjectsIn(Box(TBoxKind::Trashbox)), (std::vector<std::string>{"b", "c"}));

  ui::ShowMailbox(window_, 3);  // the trash: delete there removes for good
  Select({window_->messages->Head(0).Id});
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_msg_delete"));
  EXPECT_EQ(Subjects(), std::vector<std::string>{"c"});
  answer_ = IDNO;
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_box_emptytrash"));
  EXPECT_EQ(Subjects(), std::vector<std::string>{"c"});
  answer_ = IDYES;
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_box_emptytrash"));
  EXPECT_TRUE(Subjects().empty());
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, "是否要清空废件箱?\r\n废件箱中邮件删除后不能复原！");
}

// The mailbox menu: a new mailbox by the name typed, a rename with its question, the
// delete question for a mailbox with mail; rename and delete greyed for a standard one.
TEST_F(MailCommands, MailboxMenuAsksAndActs) {
  std::vector<std::string> questions;
  std::vector<std::string> typed = {"工作", "旧事"};
  app_->mailCommands.dialogs.askText = [&](HWND, const std::string& question, std::string& text) {
    questions.push_back(question + "|" + text);
    text = typed.front();
    typed.erase(typed.begin());
    return true;
  };
  EXPECT_FALSE(app_->frame.commands.Enabled("M_box_rename"));  // the inbox
  EXPECT_FALSE(app_->frame.commands.Enabled("M_box_delete"));
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_box_new"));
  TBoxObject* work = app_->manager->Boxes().FindByName("工作");
  ASSERT_NE(work, nullptr);
  ASSERT_EQ(window_->rows.size(), 5u);
  ui::ShowMailbox(window_, 4);
  Fill(*work, {"x"});
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_box_rename"));
  EXPECT_EQ(work->Name(), "旧事");
  EXPECT_EQ(questions, (std::vector<std::string>{"请输入要建立的邮箱名：|", "将原邮箱名\"工作\"改为：|工作"}));
  answer_ = IDYES;
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_box_delete"));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "是否要删除邮件箱: 旧事 ?\r\n邮件箱删除后，箱里所有邮件不能恢复！");
  EXPECT_EQ(app_->manager->Boxes().FindByName("旧事"), nullptr);
  EXPECT_EQ(window_->rows.size(), 4u);
  EXPECT_EQ(window_->current, &Box(TBoxKind::Inbox));
}

// Import through the open dialog into the current mailbox; export of the selection with
// the extension of the chosen filter added.
TEST_F(MailCommands, ImportAndExportWithTheFilterExtension) {
  const std::string file = Folder() + "in.eml";
  store_test::WriteFileBytes(file, "From: li@example.org\nSubject: imported\n\nHello\n");
  kit::FileFilters filters;
  app_->mailCommands.dialogs.openFile = [&](kit::FileDialogRequest* request) {
    filters = request->filters;
    request->path = file;
    return true;
  };
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_impmsg"));
  EXPECT_EQ(Subjects(), std::vector<std::string>{"imported"});
  EXPECT_EQ(ui::StatusText(&app_->frame, ui::k_statusTextPanel), "一个文件被导入到邮箱：收件箱");
  ASSERT_EQ(filters.size(), 4u);
  EXPECT_EQ(filters[1], (std::pair<std::string, std::string>{"Exchange邮件(*.msg)", "*.msg"}));

  EXPECT_FALSE(app_->frame.commands.Enabled("M_file_expmsg"));
  Select({window_->messages->Head(0).Id});
  app_->mailCommands.dialogs.saveFile = [&](kit::FileDialogRequest* request) {
    request->path = Folder() + "a";
    request->filterIndex = 2;
    return true;
  };
  // "a" becomes "a.msg"; a file of that name is replaced only after its question.
  store_test::WriteFileBytes(Folder() + "a.msg", "kept");
  const int answers[] = {IDNO, IDYES};
  for (int answer : answers) {
    answer_ = answer;
    ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_file_expmsg"));
    const bool replaced = store_test::ReadFileBytes(Folder() + "a.msg").find("Subject: imported\r\n") != std::string::npos;
    EXPECT_EQ(replaced, answer == IDYES);
  }
  EXPECT_FALSE(platform::FileExists(Folder() + "a"));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, Folder() + "a.msg 已存在。\r\n要替换它吗?");
}

// Find selects the first message that holds the text, find again the next; at the end
// the selection stays.
TEST_F(MailCommands, FindAndFindAgainSelectTheMatches) {
  const auto ids = Fill(Box(TBoxKind::Inbox), {"alpha", "beta", "Alpha two", "gamma"});
  EXPECT_FALSE(app_->frame.commands.Enabled("M_edit_findagain"));
  app_->mailCommands.dialogs.askFind = [](HWND, TFindOptions& options) {
    options = {"alpha", true, false};
    return true;
  };
  ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_edit_find"));
  EXPECT_EQ(ui::SelectedIds(*window_), std::vector<std::int32_t>{ids[0]});
  const std::vector<std::int32_t> next[] = {{ids[2]}, {ids[2]}};
  for (const auto& expected : next) {
    ASSERT_TRUE(ui::RunCommand(&app_->frame, "M_edit_findagain"));
    EXPECT_EQ(ui::SelectedIds(*window_), expected);
  }
}

// The sort items order the list and carry the check marks of the column and direction.
TEST_F(MailCommands, SortMenuOrdersAndChecks) {
  Fill(Box(TBoxKind::Inbox), {"b", "c", "a"});
  struct TCase {
    const char* item;
    std::vector<std::string> subjects;
    const char* checked;
    bool ascending;
  };
  const TCase cases[] = {
      {"M_sort_subject", {"a", "b", "c"}, "M_sort_subject", true},
      {"M_sort_ascender", {"c", "b", "a"}, "M_sort_subject", false},
      {"M_sort_none", {"b", "c", "a"}, "M_sort_none", false},
  };
  for (const TCase& c : cases) {
    ASSERT_TRUE(ui::RunCommand(&app_->frame, c.item));
    EXPECT_EQ(Subjects(), c.subjects) << c.item;
    for (const char* item : {"M_sort_none", "M_sort_subject", "M_sort_date"})
      EXPECT_EQ(app_->frame.commands.Checked(item), std::string(item) == c.checked) << c.item << item;
    EXPECT_EQ(app_->frame.commands.Checked("M_sort_ascender"), c.ascending) << c.item;
  }
}

// The rows' looks as the list's custom draw sets them: bold unread, italic state 2, the
// label colour on the sender and subject (the whole row with LabelRow); the icon cells'
// pictures.
TEST_F(MailCommands, ListLooksFollowTheHeads) {
  TMailBox& inbox = Box(TBoxKind::Inbox).Box();
  const auto add = [&inbox](bool unread, std::uint8_t state, std::uint16_t label) {
    TMailHead head = store_test::Head("someone", "s", unread);
    head.State = state;
    head.Label = label;
    TMemoryStream text(store_test::MessageText("s"));
    inbox.AddMessage(head, text);
  };
  add(true, 0, 0);
  add(false, 2, 1);
  Box(TBoxKind::Inbox).ReleaseBox();
  ui::ShowChanges(window_);
  struct TCase {
    int row, column;
    bool labelRow;
    LONG weight;
    BYTE italic;
    COLORREF color;
  };
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF red = static_cast<COLORREF>(app_->manager->Settings().Labels[0].Color);
  const int sender = static_cast<int>(TListColumn::Sender), size = static_cast<int>(TListColumn::Size);
  const TCase cases[] = {
      {0, sender, false, FW_BOLD, 0, text},   {1, sender, false, FW_NORMAL, 1, red},
      {1, size, false, FW_NORMAL, 1, text},   {1, size, true, FW_NORMAL, 1, red},
  };
  HDC dc = CreateCompatibleDC(nullptr);
  for (const TCase& c : cases) {
    app_->manager->Settings().LabelRow = c.labelRow;
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {window_->list, 2, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.hdc = dc;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(c.row);
    draw.iSubItem = c.column;
    EXPECT_EQ(SendMessageW(window_->hwnd, WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&draw)), CDRF_NEWFONT);
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfWeight, c.weight) << c.row << c.column;
    EXPECT_EQ(font.lfItalic, c.italic) << c.row << c.column;
    EXPECT_EQ(draw.clrText, c.color) << c.row << c.column << c.labelRow;
  }
  DeleteDC(dc);
  TListRow row;
  row.priority = TPriorityIcon::High;
  row.attachment = true;
  EXPECT_EQ(ui::CellPicture(row, 0), 0);
  EXPECT_EQ(ui::CellPicture(row, 1), 2);
  row.priority = TPriorityIcon::Normal;
  EXPECT_EQ(ui::CellPicture(row, 0), -1);
}

// The dialogs themselves: the text prompt and TDlg_find give back what was typed and
// checked; the properties dialog shows the mailbox's figures.
TEST_F(MailCommands, DialogsShowAndGiveBack) {
  ui::TTextPrompt prompt{nullptr, "请输入要建立的邮箱名：", "旧"};
  HWND dialog = CreateDialogParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_TEXT_PROMPT), app_->frame.hwnd,
                                   ui::TextPromptProc, reinterpret_cast<LPARAM>(&prompt));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_PROMPT_QUESTION), "请输入要建立的邮箱名：");
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_PROMPT_EDIT), "旧");
  kit::SetWindowTextGbk(GetDlgItem(dialog, QUILLET_IDC_PROMPT_EDIT), "新邮箱");
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(prompt.text, "新邮箱");
  DestroyWindow(dialog);

  ui::TFindDialog find{nullptr, {"x", false, true}};
  dialog = CreateDialogParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_FIND), app_->frame.hwnd,
                              ui::FindDialogProc, reinterpret_cast<LPARAM>(&find));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_FIND_LABEL), "查找：");
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_FIND_HEADERS), "只查找邮件头");
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_FIND_CASE), "字母大小写敏感");
  kit::SetWindowTextGbk(GetDlgItem(dialog, QUILLET_IDC_FIND_EDIT), "会议");
  CheckDlgButton(dialog, QUILLET_IDC_FIND_HEADERS, BST_CHECKED);
  CheckDlgButton(dialog, QUILLET_IDC_FIND_CASE, BST_UNCHECKED);
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(find.options.text, "会议");
  EXPECT_TRUE(find.options.headersOnly);
  EXPECT_FALSE(find.options.caseSensitive);
  DestroyWindow(dialog);

  Fill(Box(TBoxKind::Inbox), {"one", "two"});
  ui::TBoxPropertyDialog properties{nullptr, app_->manager.get(), &Box(TBoxKind::Inbox), &app_->prompts};
  dialog = CreateDialogParamW(kit::ModuleInstance(), MAKEINTRESOURCEW(QUILLET_DLG_BOX_PROPERTY), app_->frame.hwnd,
                              ui::BoxPropertyProc, reinterpret_cast<LPARAM>(&properties));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_PROPERTY_NAME), "收件箱");
  EXPECT_EQ(kit::DialogItemTextGbk(dialog, QUILLET_IDC_PROPERTY_COUNT), "2");
  SendMessageW(dialog, WM_COMMAND, QUILLET_IDC_PROPERTY_CHECK, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "邮箱检查完毕，没有发现错误。");
  DestroyWindow(dialog);
}

}  // namespace
