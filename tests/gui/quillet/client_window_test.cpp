// The mail client's start and main window, made in the test's process against a scratch
// home: the menu against the command table, the start-up check's box, the hand-off of a
// second copy. Boxes are recorded instead of shown.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/common/profile_file.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/instance_handoff.h"
#include "quillet/store/system/mark_change.h"
#include "quillet/store/system/startup_texts.h"
#include "quillet/ui/client_start.h"
#include "quillet/ui/main_menu.h"
#include "tests/gui/quillet/client_fixture.h"
#include "tests/store/mailbox/store_test_support.h"

namespace {

namespace ui = quillet::ui;
namespace kit = platform::win32::ui;

using quillet_gui_test::ClientWindow;

struct TMenuItem {
  std::string caption;
  int id;  // -1 for a menu that opens a submenu
  bool greyed;
};

void CollectItems(HMENU menu, std::vector<TMenuItem>* items) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = 127;
    ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
    const bool popup = info.hSubMenu != nullptr;
    // Separators, and what a maximised MDI child adds to the bar: its system menu (a
    // picture) and its window buttons (system commands).
    if ((info.fType & (MFT_SEPARATOR | MFT_BITMAP)) != 0 || (!popup && info.wID >= SC_SIZE)) continue;
    items->push_back({platform::win32::GbkFromWide(caption), popup ? -1 : static_cast<int>(info.wID),
                      (info.fState & MFS_GRAYED) != 0});
    if (popup) CollectItems(info.hSubMenu, items);
  }
}

// Every item of the command table is on the menu once, with its caption: a command item
// under its own command number, greyed unless its action exists; a menu by its caption.
TEST_F(ClientWindow, MenuHoldsTheWholeCommandTable) {
  ASSERT_EQ(Start(Folder()), 0);
  std::vector<TMenuItem> items;
  CollectItems(GetMenu(app_->frame.hwnd), &items);
  ASSERT_EQ(items.size(), frame_texts::k_commandCaptions.size());
  std::map<std::string, const TMenuItem*> commands;  // by item name
  std::multiset<std::string> menus;                  // captions
  for (const auto& item : items) {
    if (item.id == -1) {
      EXPECT_FALSE(item.greyed) << item.caption;
      menus.insert(item.caption);
    } else {
      EXPECT_TRUE(commands.emplace(ui::CommandItem(item.id), &item).second) << item.caption;
    }
  }
  for (const auto& entry : frame_texts::k_commandCaptions) {
    SCOPED_TRACE(entry.item);
    const auto command = commands.find(entry.item);
    if (command == commands.end()) {
      const auto menu = menus.find(entry.caption);
      ASSERT_NE(menu, menus.end());
      menus.erase(menu);
      continue;
    }
    EXPECT_EQ(command->second->caption, entry.caption);
    EXPECT_EQ(command->second->greyed, !app_->frame.commands.Enabled(entry.item));
  }
}

// A first start in an empty home writes the ini file and the mail root, and shows the
// frame under the program's title with no box.
TEST_F(ClientWindow, FirstStartPreparesTheHomeAndOpensTheFrame) {
  ASSERT_EQ(Start(Folder()), 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(kit::WindowTextGbk(app_->frame.hwnd), frame_texts::k_applicationTitle);
  TProfileFile ini(Folder() + "quillet.INI");
  EXPECT_EQ(ini.ReadString("System", "Initialized", ""), "1");
  EXPECT_TRUE(platform::DirectoryExists(app_->manager->MailRoot()));
}

// A home that does not exist: the box titled "Quillet" names it, and the start ends with 2.
TEST_F(ClientWindow, MissingHomeFailsWithItsBox) {
  const std::string missing = Folder() + "absent";
  EXPECT_EQ(Start(missing), k_exitStartupCheck);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, k_textStartupBoxTitle);
  EXPECT_NE(boxes_[0].text.find(missing), std::string::npos);
  EXPECT_EQ(app_->frame.hwnd, nullptr);
}

// A second copy finds this one, hands over its "mailto:" link and the flags message; the
// frame keeps the link and shows its address in the status bar.
TEST_F(ClientWindow, SecondCopyHandsOverItsCommandLine) {
  ASSERT_EQ(Start(Folder()), 0);
  ASSERT_TRUE(ui::HandOffToRunningCopy({"mailto:li@example.com?subject=hi", "-+"}));
  ASSERT_TRUE(app_->frame.pendingMailto.has_value());
  EXPECT_EQ(app_->frame.pendingMailto->to, "li@example.com");
  EXPECT_EQ(app_->frame.pendingMailto->subject, "hi");
  EXPECT_EQ(app_->frame.handOffFlags, k_handOffMinus | k_handOffPlus);
  EXPECT_EQ(ui::StatusText(&app_->frame, ui::k_statusTextPanel), "li@example.com");
}

// The core's questions in boxes with the Chinese captions: what each prompt shows and
// how the button pressed answers it.
TEST_F(ClientWindow, PromptsAskInChineseBoxes) {
  ASSERT_EQ(Start(Folder()), 0);
  struct TCase {
    int pressed;
    bool answer;
  };
  const TCase cases[] = {{IDYES, true}, {IDNO, false}, {0, false}};
  for (const TCase& c : cases) {
    answer_ = c.pressed;
    EXPECT_EQ(app_->prompts.AskYesNo("删除吗？"), c.answer);
  }
  app_->prompts.ShowMessage("对不起，没有新邮件");
  ASSERT_EQ(boxes_.size(), 4u);
  EXPECT_EQ(boxes_[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(boxes_[0].style & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
  EXPECT_EQ(boxes_[0].yesCaption, "是(&Y)");
  EXPECT_EQ(boxes_[3].style & MB_TYPEMASK, static_cast<UINT>(MB_OK));
  EXPECT_EQ(boxes_[3].text, "对不起，没有新邮件");
  EXPECT_EQ(boxes_[3].title, "Quillet");
}

// The inbox with two messages, one unread: the tree names its unread count, the list has
// its rows (texts asked for on demand), the status bar its counts, and a click on the
// subject header sorts by subject.
TEST_F(ClientWindow, InboxShowsItsMessagesAndCounts) {
  ASSERT_EQ(Start(Folder()), 0);
  TBoxObject& inbox = app_->manager->Boxes().Standard(TBoxKind::Inbox);
  store_test::AddText(inbox.Box(), store_test::MessageText("乙 second"), true, "乙 second");
  store_test::AddText(inbox.Box(), store_test::MessageText("甲 first"), false, "甲 first");
  inbox.ReleaseBox();
  ui::TTreeWindow* window = app_->treeWindow.get();
  ui::RefreshTree(window);
  ui::ShowMailbox(window, 0);
  EXPECT_EQ(quillet_gui_test::FirstTreeText(window->tree), "收件箱 (1)");
  ASSERT_EQ(SendMessageW(window->list, LVM_GETITEMCOUNT, 0, 0), 2);
  const int subject = static_cast<int>(TListColumn::Subject);
  EXPECT_EQ(quillet_gui_test::CellText(window->list, 0, subject), "乙 second");
  EXPECT_EQ(quillet_gui_test::CellText(window->list, 0, static_cast<int>(TListColumn::Sender)), "someone");
  EXPECT_EQ(ui::StatusText(&app_->frame, ui::k_statusListPanel), "共: 2, 未读: 1");
  NMLISTVIEW click{};
  click.hdr = {window->list, 2, static_cast<UINT>(LVN_COLUMNCLICK)};
  click.iSubItem = subject;
  SendMessageW(window->hwnd, WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(quillet_gui_test::CellText(window->list, 0, subject), "甲 first");
  EXPECT_EQ(quillet_gui_test::CellText(window->list, 1, subject), "乙 second");
  // A change made behind the window's back reaches it as message 1897: the tree's count
  // follows once the posted message is handled.
  app_->manager->MarkMessages(inbox, {window->messages->Head(1).Id}, TMarkChange{TMarkField::Unread, 0});
  inbox.ReleaseBox();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_EQ(quillet_gui_test::FirstTreeText(window->tree), "收件箱");
}

}  // namespace
