#include "quillet/ui/tree_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/wide.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/profile_file.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/ui/child_control.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr wchar_t k_treeClass[] = L"TF_tree";
constexpr int k_treeWidth = 180;
constexpr int k_treeId = 1;
constexpr int k_listId = 2;

HWND CreateControl(TTreeWindow* window, const wchar_t* className, DWORD style, int id) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, className, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0,
                         window->hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), kit::ModuleInstance(),
                         nullptr);
}

void AddColumns(TTreeWindow* window) {
  const TProfileFile ini(window->manager.Setup().IniPath());
  const auto widths = ListColumnWidths(ini.ReadString("Window Position", "ListHead", frame_texts::k_defaultListHead));
  const auto captions = ListColumnCaptions();
  for (int i = 0; i < k_listColumnCount; ++i) {
    std::wstring caption = platform::win32::WideFromGbk(captions[static_cast<std::size_t>(i)]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = widths[static_cast<std::size_t>(i)];
    column.pszText = caption.data();
    SendMessageW(window->list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

void CreateControls(TTreeWindow* window) {
  window->tree = CreateControl(window, WC_TREEVIEWW, TVS_HASLINES | TVS_SHOWSELALWAYS, k_treeId);
  window->list = CreateControl(window, WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, k_listId);
  SendMessageW(window->list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES,
               LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  AddColumns(window);
  window->looks.SetUp(window->list);
  CreateSplitter(&window->split, window->hwnd);
}

// The list view asks for a cell's text or picture.
void GiveCellText(TTreeWindow* window, NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  if (item.iItem < 0 || item.iItem >= window->messages->Count() || item.iSubItem < 0 ||
      item.iSubItem >= k_listColumnCount)
    return;
  const TListRow row = window->messages->Row(item.iItem);
  if ((item.mask & LVIF_IMAGE) != 0) item.iImage = CellPicture(row, item.iSubItem);
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::wstring text = platform::win32::WideFromGbk(row.texts[static_cast<std::size_t>(item.iSubItem)]);
  const std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.c_str(), length, item.pszText);
  item.pszText[length] = L'\0';
}

// The list's looks, its drag, its Delete key and its selection.
LRESULT ListNotify(TTreeWindow* window, const NMHDR* header) {
  switch (header->code) {
    case NM_CUSTOMDRAW:
      return window->looks.Draw(*window->messages, reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
    case LVN_BEGINDRAG:
      window->dragging = true;
      SetCapture(window->hwnd);
      SetCursor(LoadCursorW(nullptr, IDC_UPARROW));
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) RunCommand(&window->frame, "M_msg_delete");
      return 0;
    case LVN_ITEMCHANGED:
      RefreshCommandStates(&window->frame);
      return 0;
    default:
      return 0;
  }
}

LRESULT Notify(TTreeWindow* window, const NMHDR* header) {
  if (header->hwndFrom == window->tree && header->code == TVN_SELCHANGEDW) {
    const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
    ShowMailbox(window, static_cast<std::size_t>(change->itemNew.lParam));
  } else if (header->hwndFrom == window->list && header->code == LVN_GETDISPINFOW) {
    GiveCellText(window, reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
  } else if (header->hwndFrom == window->list && header->code == LVN_ITEMCHANGED) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) != 0 && window->selectionChanged) window->selectionChanged();
  } else if (header->hwndFrom == window->list && (header->code == NM_DBLCLK || header->code == NM_RETURN)) {
    RunCommand(&window->frame, "M_file_open");
  } else if (header->hwndFrom == window->list && header->code == LVN_COLUMNCLICK) {
    const auto* click = reinterpret_cast<const NMLISTVIEW*>(header);
    window->messages->ClickColumn(static_cast<TListColumn>(click->iSubItem));
    InvalidateRect(window->list, nullptr, TRUE);
  } else if (header->hwndFrom == window->list) {
    return ListNotify(window, header);
  }
  return 0;
}

// The end of a drag: the selection moves to the mailbox under the mouse.
void Drop(TTreeWindow* window, LPARAM at) {
  window->dragging = false;
  ReleaseCapture();
  TBoxObject* target = BoxAtPoint(window, POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)});
  if (target != nullptr && window->dropOnBox) window->dropOnBox(*target);
}

LRESULT CALLBACK TreeProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = kit::MdiChildState<TTreeWindow>(hwnd, message, lParam);
  if (window == nullptr) return DefMDIChildProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      return 0;
    case WM_SIZE:
      LayoutTreeWindow(window);
      break;  // DefMDIChildProcW keeps the MDI state right
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
      if (SplitMouse(&window->split, hwnd, message, lParam)) return TRUE;
      break;
    case WM_NOTIFY:
      return Notify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_LBUTTONUP:
      if (SplitMouse(&window->split, hwnd, message, lParam)) return TRUE;
      if (window->dragging) Drop(window, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      window->dragging = false;
      return 0;
    default:
      break;
  }
  return DefMDIChildProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateTreeWindow(TTreeWindow* window) {
  if (!kit::RegisterWindowClass({k_treeClass, TreeProcedure})) return nullptr;
  HWND hwnd = CreateMdiChild(window->frame.mdiClient, k_treeClass, L"", window, WS_MAXIMIZE);
  if (hwnd == nullptr) return nullptr;
  RefreshTree(window);
  return hwnd;
}

TBoxObject* BoxAtPoint(TTreeWindow* window, POINT point) {
  MapWindowPoints(window->hwnd, window->tree, &point, 1);
  TVHITTESTINFO hit{};
  hit.pt = point;
  auto* item = reinterpret_cast<HTREEITEM>(SendMessageW(window->tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (item == nullptr || (hit.flags & TVHT_ONITEM) == 0) return nullptr;
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  SendMessageW(window->tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  const auto row = static_cast<std::size_t>(data.lParam);
  return row < window->rows.size() ? window->rows[row].box : nullptr;
}

void LayoutTreeWindow(TTreeWindow* window) {
  RECT client;
  GetClientRect(window->hwnd, &client);
  const int treeWidth = std::min<int>(k_treeWidth, client.right);
  MoveWindow(window->tree, 0, 0, treeWidth, client.bottom, TRUE);
  LayoutSplit(&window->split, window->list, {treeWidth, 0, client.right - treeWidth, client.bottom});
}

void RefreshTree(TTreeWindow* window) {
  window->rows = MailboxTreeRows(window->manager.Boxes());
  SendMessageW(window->tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM chosen = nullptr;
  for (std::size_t i = 0; i < window->rows.size(); ++i) {
    std::wstring text = platform::win32::WideFromGbk(window->rows[i].text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = static_cast<LPARAM>(i);
    auto* item = reinterpret_cast<HTREEITEM>(
        SendMessageW(window->tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (window->rows[i].box == window->current || (window->current == nullptr && i == 0)) chosen = item;
  }
  if (chosen != nullptr) SendMessageW(window->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(chosen));
}

void RefreshTreeCounts(TTreeWindow* window) {
  std::vector<TTreeRow> rows = MailboxTreeRows(window->manager.Boxes());
  const auto sameBoxes = [](const TTreeRow& a, const TTreeRow& b) { return a.box == b.box; };
  if (!std::equal(rows.begin(), rows.end(), window->rows.begin(), window->rows.end(), sameBoxes)) {
    RefreshTree(window);
    return;
  }
  window->rows = std::move(rows);
  const auto next = [window](WPARAM which, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(window->tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
  };
  for (HTREEITEM item = next(TVGN_ROOT, nullptr); item != nullptr; item = next(TVGN_NEXT, item)) {
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    SendMessageW(window->tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    const auto row = static_cast<std::size_t>(data.lParam);
    if (row >= window->rows.size()) continue;
    std::wstring text = platform::win32::WideFromGbk(window->rows[row].text);
    data.mask = TVIF_TEXT;
    data.pszText = text.data();
    SendMessageW(window->tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  }
}

void ShowMailbox(TTreeWindow* window, std::size_t row) {
  if (row >= window->rows.size()) return;
  window->current = window->rows[row].box;
  auto messages = std::make_unique<TMessageList>(window->manager.Settings());
  messages->SetSort(window->messages->SortColumn(), window->messages->SortAscending());
  try {
    messages->Load(window->current->Box());
  } catch (const Exception& error) {
    messages = std::make_unique<TMessageList>(window->manager.Settings());
    window->prompts.ShowMessage(error.Message());
  }
  window->messages = std::move(messages);
  window->current->ReleaseBox();
  SendMessageW(window->list, LVM_SETITEMCOUNT, static_cast<WPARAM>(window->messages->Count()), 0);
  InvalidateRect(window->list, nullptr, TRUE);
  SetStatusText(&window->frame, k_statusListPanel, window->messages->StatusText());
  if (window->selectionChanged) window->selectionChanged();
}

}  // namespace quillet::ui
