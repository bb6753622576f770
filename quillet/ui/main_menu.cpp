#include "quillet/ui/main_menu.h"

#include <array>
#include <cstddef>

#include "platform/win32/wide.h"
#include "quillet/frame/frame_texts.h"

namespace quillet::ui {
namespace {

// The menu tree, in order: an item name and its depth (0 a menu of the bar); an item
// followed by a deeper one opens a submenu. "-" is a separator.
struct TMenuPlace {
  const char* item;
  int depth;
};

constexpr TMenuPlace k_menuLayout[] = {
    {"M_file", 0},           {"M_file_open", 1},       {"M_file_saveas", 1},      {"-", 1},
    {"M_file_getnewmail", 1}, {"M_file_SendQueue", 1}, {"M_file_SendGet", 1},     {"-", 1},
    {"M_file_impmsg", 1},    {"M_file_expmsg", 1},     {"-", 1},                  {"M_file_print", 1},
    {"M_file_printer_setup", 1}, {"-", 1},             {"M_file_exit", 1},
    {"M_edit", 0},           {"M_edit_undo", 1},       {"-", 1},                  {"M_edit_copy", 1},
    {"M_edit_cut", 1},       {"M_edit_paste", 1},      {"M_edit_selectall", 1},   {"-", 1},
    {"M_edit_find", 1},      {"M_edit_findagain", 1},  {"-", 1},                  {"M_edit_wordwrap", 1},
    {"M_edit_sort", 1},      {"M_sort_none", 2},       {"M_sort_ascender", 2},    {"-", 2},
    {"M_sort_priority", 2},  {"M_sort_address", 2},    {"M_sort_subject", 2},     {"M_sort_date", 2},
    {"M_sort_size", 2},      {"M_sort_read", 2},
    {"M_view", 0},           {"M_view_style", 1},      {"M_view_H", 2},           {"M_view_V", 2},
    {"M_msg", 0},            {"M_msg_new", 1},         {"M_msg_reply", 1},        {"M_msg_forward", 1},
    {"M_msg_sendagain", 1},  {"-", 1},                 {"M_msg_address", 1},      {"M_msg_markas", 1},
    {"M_msg_markunread", 2}, {"M_msg_markread", 2},    {"M_msg_markreplied", 2},  {"M_msg_markunreplied", 2},
    {"M_msg_label", 1},      {"M_msg_rawhead", 1},     {"-", 1},                  {"M_msg_transfer", 1},
    {"M_msg_delete", 1},     {"-", 1},                 {"M_msg_convert", 1},      {"M_msg_BIG5toGB", 2},
    {"M_msg_GBtoBig5", 2},   {"M_msg_decode", 1},      {"M_msg_uu", 2},           {"-", 1},
    {"M_msg_addaddrs", 1},
    {"M_box", 0},            {"M_box_new", 1},         {"M_box_rename", 1},       {"M_box_delete", 1},
    {"-", 1},                {"M_box_compressone", 1}, {"M_box_compress", 1},     {"M_box_emptytrash", 1},
    {"-", 1},                {"M_box_encrypt", 1},     {"M_box_decrypt", 1},      {"-", 1},
    {"M_box_property", 1},
    {"M_tools", 0},          {"M_tools_setup", 1},     {"M_tools_remote", 1},     {"-", 1},
    {"M_tools_toolbar", 1},
    {"M_tools_statusbar", 1}, {"M_tools_title", 1},    {"M_tools_largebtn", 1},   {"-", 1},
    {"M_tools_clearpwd", 1}, {"M_tools_assist", 1},    {"M_tools_addressbook", 1},
    {"M_help", 0},           {"M_help_contents", 1},   {"-", 1},                  {"M_help_about", 1},
};
constexpr std::size_t k_layoutSize = sizeof(k_menuLayout) / sizeof(k_menuLayout[0]);

std::string CaptionOf(const std::string& item) {
  for (const auto& entry : frame_texts::k_commandCaptions)
    if (item == entry.item) return entry.caption;
  return item;
}

// Appends the entries from *next that are at the given depth (and their submenus) to menu.
void AppendEntries(HMENU menu, int depth, std::size_t* next) {
  while (*next < k_layoutSize && k_menuLayout[*next].depth == depth) {
    const std::string item = k_menuLayout[(*next)++].item;
    if (item == "-") {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = platform::win32::WideFromGbk(CaptionOf(item));
    if (*next < k_layoutSize && k_menuLayout[*next].depth > depth) {
      HMENU submenu = CreatePopupMenu();
      AppendEntries(submenu, depth + 1, next);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
      continue;
    }
    AppendMenuW(menu, MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(CommandId(item)), caption.c_str());
  }
}

}  // namespace

int CommandId(const std::string& item) {
  for (std::size_t i = 0; i < frame_texts::k_commandCaptions.size(); ++i)
    if (item == frame_texts::k_commandCaptions[i].item) return k_firstCommandId + static_cast<int>(i);
  return k_noCommand;
}

std::string CommandItem(int id) {
  const int index = id - k_firstCommandId;
  if (index < 0 || index >= static_cast<int>(frame_texts::k_commandCaptions.size())) return std::string();
  return frame_texts::k_commandCaptions[static_cast<std::size_t>(index)].item;
}

void UpdateMenuStates(HMENU menu, const TCommandTable& commands) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU submenu = GetSubMenu(menu, i)) {
      UpdateMenuStates(submenu, commands);
      continue;
    }
    const std::string item = CommandItem(static_cast<int>(GetMenuItemID(menu, i)));
    if (item.empty()) continue;  // a separator or a made entry
    const bool enabled = commands.Enabled(item);
    EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (commands.Checked(item) ? MF_CHECKED : MF_UNCHECKED));
  }
}

namespace {

HMENU MakePopup(const std::vector<TCommandTable::TPopupEntry>& entries,
                std::vector<TCommandTable::TAction>* actions) {
  HMENU popup = CreatePopupMenu();
  for (const auto& entry : entries) {
    const auto id = static_cast<std::size_t>(k_firstPopupEntryId) + actions->size();
    if (id > static_cast<std::size_t>(k_lastPopupEntryId)) break;
    actions->push_back(entry.action);
    const std::wstring caption = platform::win32::WideFromGbk(entry.caption);
    AppendMenuW(popup, MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED), id, caption.c_str());
  }
  return popup;
}

}  // namespace

void FillPopups(HMENU menu, const TCommandTable& commands, std::vector<TCommandTable::TAction>* actions) {
  bool cleared = false;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    const std::string item = CommandItem(static_cast<int>(info.wID));
    if (item.empty() || !commands.HasPopup(item)) continue;
    if (!cleared) actions->clear();
    cleared = true;
    if (info.hSubMenu != nullptr) DestroyMenu(info.hSubMenu);
    const bool enabled = commands.Enabled(item);
    info.fMask = MIIM_SUBMENU | MIIM_STATE;
    info.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    info.hSubMenu = enabled ? MakePopup(commands.PopupEntries(item), actions) : nullptr;
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
  }
}

HMENU BuildMainMenu() {
  HMENU bar = CreateMenu();
  std::size_t next = 0;
  AppendEntries(bar, 0, &next);
  return bar;
}

}  // namespace quillet::ui
