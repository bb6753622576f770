#include "quillet/ui/child_control.h"

#include <commctrl.h>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/wide.h"

namespace quillet::ui {

HWND CreateChildControl(HWND parent, const wchar_t* className, DWORD style, int id, DWORD exStyle,
                        const std::string& text) {
  const std::wstring wide = platform::win32::WideFromGbk(text);
  HWND control = CreateWindowExW(exStyle, className, wide.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 platform::win32::ui::ModuleInstance(), nullptr);
  // The dialog font, as the list and tree controls use, not the wide system font.
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

HWND CreateMdiChild(HWND mdiClient, const wchar_t* className, const std::wstring& title, void* state,
                    DWORD style) {
  BOOL maximised = FALSE;
  SendMessageW(mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
  MDICREATESTRUCTW create{};
  create.szClass = className;
  create.szTitle = title.c_str();
  create.hOwner = platform::win32::ui::ModuleInstance();
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.style = (maximised ? WS_MAXIMIZE : 0) | style;
  create.lParam = reinterpret_cast<LPARAM>(state);
  return reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void AddListColumn(HWND list, int index, const std::string& caption, int width) {
  std::wstring wide = platform::win32::WideFromGbk(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = wide.data();
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void AddListRow(HWND list, int row, const std::string* texts, int count) {
  for (int column = 0; column < count; ++column) {
    std::wstring wide = platform::win32::WideFromGbk(texts[column]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

int SelectedListRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListRow(HWND list, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

}  // namespace quillet::ui
