#include "quillet/ui/tool_bar.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/tool_buttons.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr wchar_t k_stripClass[] = L"QuilletToolbarDock";
constexpr int k_largeGlyph = 32;
constexpr int k_smallGlyph = 16;
constexpr COLORREF k_transparent = RGB(255, 0, 255);
constexpr int k_buttonCount = static_cast<int>(k_toolButtons.size());

HIMAGELIST LoadGlyphs(bool large) {
  const int size = large ? k_largeGlyph : k_smallGlyph;
  auto* strip = static_cast<HBITMAP>(LoadImageW(kit::ModuleInstance(), large ? L"BM_TOOLBAR2" : L"BM_TOOLBAR2_SMALL",
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (strip == nullptr) return nullptr;
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, k_buttonCount, 0);
  if (images != nullptr) ImageList_AddMasked(images, strip, k_transparent);
  DeleteObject(strip);
  return images;
}

std::vector<TBBUTTON> ButtonList(TToolBar* bar) {
  std::vector<TBBUTTON> list;
  for (int i = 0; i < k_buttonCount; ++i) {
    const TToolButton& button = k_toolButtons[static_cast<std::size_t>(i)];
    bar->captions[static_cast<std::size_t>(i)] =
        platform::win32::WideFromGbk(frame_texts::k_toolbarCaptions[static_cast<std::size_t>(i)]);
    const BYTE style = BTNS_BUTTON | (button.dropDown ? BTNS_DROPDOWN : 0);
    list.push_back({i, k_firstToolButton + i, 0, style, {},
                    0, reinterpret_cast<INT_PTR>(bar->captions[static_cast<std::size_t>(i)].c_str())});
    if (button.groupEnds && i + 1 < k_buttonCount) list.push_back({0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0});
  }
  return list;
}

// (Re)makes the button control with the glyphs of the current size.
void MakeButtons(TToolBar* bar) {
  if (bar->buttons != nullptr) DestroyWindow(bar->buttons);
  if (bar->images != nullptr) ImageList_Destroy(bar->images);
  bar->buttons = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER,
                                 0, 0, 0, 0, bar->hwnd, nullptr, kit::ModuleInstance(), nullptr);
  kit::SetWindowTextGbk(bar->buttons, frame_texts::k_toolbarCaption);
  SendMessageW(bar->buttons, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar->buttons, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  bar->images = LoadGlyphs(bar->large);
  SendMessageW(bar->buttons, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(bar->images));
  std::vector<TBBUTTON> list = ButtonList(bar);
  SendMessageW(bar->buttons, TB_ADDBUTTONSW, list.size(), reinterpret_cast<LPARAM>(list.data()));
  UpdateToolBarStates(bar->hwnd, bar->frame->commands);
}

// PM_recv under the arrow of TBtn_Check: all accounts, then each further account.
void ShowReceiveMenu(TToolBar* bar, const NMTOOLBARW* notice) {
  const std::vector<TReceiveMenuEntry> entries = ReceiveMenuEntries(TConnections(bar->iniPath).Items());
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const UINT state = bar->frame->commands.Enabled(entries[i].item) ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu, MF_STRING | state, i + 1, platform::win32::WideFromGbk(entries[i].caption).c_str());
  }
  POINT corner{notice->rcButton.left, notice->rcButton.bottom};
  ClientToScreen(bar->buttons, &corner);
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, corner.x, corner.y, 0,
                                    bar->hwnd, nullptr);
  DestroyMenu(menu);
  if (chosen > 0) RunCommand(bar->frame, entries[static_cast<std::size_t>(chosen - 1)].item);
}

LRESULT CALLBACK StripProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* bar = kit::WindowState<TToolBar>(hwnd, message, lParam);
  if (bar == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const int index = LOWORD(wParam) - k_firstToolButton;
      if (index < 0 || index >= k_buttonCount) break;
      RunCommand(bar->frame, k_toolButtons[static_cast<std::size_t>(index)].item);
      return 0;
    }
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMTOOLBARW*>(lParam);
      if (notice->hdr.code != TBN_DROPDOWN) break;
      ShowReceiveMenu(bar, notice);
      return TBDDRET_DEFAULT;
    }
    case WM_DESTROY:
      if (bar->images != nullptr) ImageList_Destroy(bar->images);
      bar->images = nullptr;
      bar->buttons = nullptr;
      bar->frame->toolBar = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateToolBar(TToolBar* bar, TMainFrame* frame, const std::string& iniPath, bool large) {
  if (!kit::RegisterWindowClass({k_stripClass, StripProcedure, nullptr, nullptr,
                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}))
    return nullptr;
  bar->frame = frame;
  bar->iniPath = iniPath;
  bar->large = large;
  kit::WindowParams params{k_stripClass, platform::win32::WideFromGbk(frame_texts::k_toolbarCaption)};
  params.style = WS_CHILD | WS_CLIPCHILDREN;
  params.parent = frame->hwnd;
  params.bounds = RECT{0, 0, 0, 0};
  if (kit::CreateStateWindow(params, bar) == nullptr) return nullptr;
  MakeButtons(bar);
  frame->toolBar = bar->hwnd;
  return bar->hwnd;
}

void SetToolBarLarge(TToolBar* bar, bool large) {
  if (bar->hwnd == nullptr) return;
  bar->large = large;
  MakeButtons(bar);
  LayoutFrame(bar->frame);
}

int LayoutToolBar(HWND strip, int width) {
  if (strip == nullptr || (GetWindowLongW(strip, GWL_STYLE) & WS_VISIBLE) == 0) return 0;  // even in a hidden frame
  HWND buttons = GetWindow(strip, GW_CHILD);
  RECT placed;
  GetWindowRect(buttons, &placed);
  MoveWindow(strip, 0, 0, width, placed.bottom - placed.top, TRUE);
  SendMessageW(buttons, TB_AUTOSIZE, 0, 0);
  GetWindowRect(buttons, &placed);
  const int height = placed.bottom - placed.top;
  MoveWindow(strip, 0, 0, width, height, TRUE);
  return height;
}

void UpdateToolBarStates(HWND strip, const TCommandTable& commands) {
  if (strip == nullptr) return;
  HWND buttons = GetWindow(strip, GW_CHILD);
  for (int i = 0; i < k_buttonCount; ++i) {
    const bool enabled = commands.Enabled(k_toolButtons[static_cast<std::size_t>(i)].item);
    SendMessageW(buttons, TB_ENABLEBUTTON, static_cast<WPARAM>(k_firstToolButton + i), MAKELPARAM(enabled, 0));
  }
}

}  // namespace quillet::ui
