// The program's menu bar, accelerators and strings, read back from its own resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "glyphora/tools/tools_texts.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"

namespace {

namespace ui = platform::win32::ui;

// One line of a menu: "id text|accelerator" or "-" for a separator.
std::vector<std::string> MenuLines(HMENU menu) {
  std::vector<std::string> lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 127;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      lines.push_back("-");
      continue;
    }
    std::string item = platform::win32::GbkFromWide(text);
    std::size_t tab = item.find('\t');
    std::string shown = tab == std::string::npos ? item : item.substr(0, tab) + "|" + item.substr(tab + 1);
    lines.push_back(info.hSubMenu != nullptr ? "popup " + shown : std::to_string(info.wID) + " " + shown);
  }
  return lines;
}

TEST(GlyphoraResources, MenuBarHasTheCommandTable) {
  HMENU bar = LoadMenuW(ui::ModuleInstance(), GLYPHORA_MENU_NAME);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuLines(bar), (std::vector<std::string>{"popup &File", "popup &Edit", "popup E&mail",
                                                      "popup E&ffects", "popup &Help"}));
  const std::vector<std::vector<std::string>> popups = {
      {"1 &New|Ctrl+N", "2 &Open...|Ctrl+O", "-", "3 &Save|Ctrl+S", "4 Save &As...", "-", "5 E&xit"},
      {"11 &Undo|Ctrl+Z", "-", "12 Cu&t|Ctrl+X", "13 &Copy|Ctrl+C", "14 &Paste|Ctrl+V", "15 Cl&ear|Del", "-",
       "16 Select &All|Ctrl+A"},
      {"21 &Send Email|Ctrl+E", "-", "22 &Dimensions...|Ctrl+D", "23 &Preferences..."},
      {"31 In&vert", "-", "32 Flip &Horizontal", "33 Flip &Vertical", "-", "34 Rotate &Right", "35 Rotate &Left",
       "36 Rotate &180", "-", "37 &Explode", "38 &Implode"},
      {"41 Contents...|F1", "42 About Glyphora..."},
  };
  for (std::size_t i = 0; i < popups.size(); ++i)
    EXPECT_EQ(MenuLines(GetSubMenu(bar, static_cast<int>(i))), popups[i]) << "menu " << i;
  DestroyMenu(bar);
}

TEST(GlyphoraResources, AcceleratorsMatchTheMenu) {
  HACCEL table = LoadAcceleratorsW(ui::ModuleInstance(), GLYPHORA_ACCEL_NAME);
  ASSERT_NE(table, nullptr);
  ACCEL keys[32];
  int count = CopyAcceleratorTableW(table, keys, 32);
  std::vector<std::string> got;
  for (int i = 0; i < count; ++i) {
    std::string key = keys[i].key == VK_DELETE ? "Del" : keys[i].key == VK_F1 ? "F1"
                                                                              : std::string(1, static_cast<char>(keys[i].key));
    got.push_back(std::to_string(keys[i].cmd) + ((keys[i].fVirt & FCONTROL) ? " Ctrl+" : " ") + key);
  }
  EXPECT_EQ(got, (std::vector<std::string>{"1 Ctrl+N", "2 Ctrl+O", "3 Ctrl+S", "11 Ctrl+Z", "12 Ctrl+X",
                                           "13 Ctrl+C", "14 Ctrl+V", "15 Del", "16 Ctrl+A", "21 Ctrl+E",
                                           "22 Ctrl+D", "41 F1"}));
  DestroyAcceleratorTable(table);
}

TEST(GlyphoraResources, StringTableHoldsTheToolTextsAndMessages) {
  for (const auto& entry : glyphora::k_toolStrings) EXPECT_EQ(ui::ResourceString(entry.id), entry.text) << entry.id;
  EXPECT_EQ(ui::ResourceString(STR_LATER_PREFERENCES).substr(0, 46), "The Glyphora preferences are from a later vers");
  EXPECT_EQ(ui::ResourceString(STR_MAPI_PROBLEM).size(), 173u);
  std::string question = ui::ResourceString(STR_REGISTER_FILE_TYPE);
  EXPECT_NE(question.find("moved Glyphora.\r\nWould you like"), std::string::npos);
  for (int icon : {ICON_PROGRAM, ICON_DOCUMENT, 128, 130, 131, 132, 133, 134, 135, 136, 137})
    EXPECT_NE(LoadIconW(ui::ModuleInstance(), MAKEINTRESOURCEW(icon)), nullptr) << icon;
}

}  // namespace
