// The GUI kit itself: message boxes with the program's captions, filter strings.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/ui/file_dialog.h"
#include "platform/win32/ui/message_box.h"
#include "platform/win32/ui/window_text.h"

namespace {

namespace ui = platform::win32::ui;

// Reads the buttons of the box the test shows, then presses No.
std::string g_seen;

void CALLBACK ReadBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"标题");
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  g_seen = ui::WindowTextGbk(GetDlgItem(box, IDYES)) + "/" + ui::WindowTextGbk(GetDlgItem(box, IDNO)) + "/" +
           ui::WindowTextGbk(GetDlgItem(box, IDCANCEL)) + "/" + ui::WindowTextGbk(GetDlgItem(box, 0xFFFF));
  PostMessageW(box, WM_COMMAND, IDNO, 0);
}

TEST(UiKit, MessageBoxesCarryTheProgramsCaptions) {
  const std::pair<const ui::ButtonCaptions*, std::string> cases[] = {
      {&ui::k_chineseCaptions, "是(&Y)/否(&N)/取消/收件箱"},
      {&ui::k_englishCaptions, "&Yes/&No/Cancel/收件箱"},
  };
  for (const auto& [captions, expected] : cases) {
    g_seen.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadBox);
    int answer = ui::ShowMessageBox(nullptr, "收件箱", "标题", MB_YESNOCANCEL, *captions);
    KillTimer(nullptr, timer);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(g_seen, expected);
  }
}

TEST(UiKit, FilterStringEndsEveryPartWithNul) {
  std::wstring filters = ui::FilterString({{"Glyphora Files", "*.GLY"}, {"文本", "*.TXT"}});
  EXPECT_EQ(filters, std::wstring(L"Glyphora Files\0*.GLY\0\u6587\u672C\0*.TXT\0\0", 31));
}

}  // namespace
