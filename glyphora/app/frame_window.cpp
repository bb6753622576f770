#include "glyphora/app/frame_window.h"

#include <string>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/dimensions_dialog.h"
#include "glyphora/app/doc_view.h"
#include "glyphora/app/edit_commands.h"
#include "glyphora/app/file_commands.h"
#include "glyphora/app/preferences_dialog.h"
#include "glyphora/app/send_email.h"
#include "glyphora/app/tool_bar.h"
#include "glyphora/tools/tools_texts.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"

namespace glyphora::app {

namespace {

namespace ui = platform::win32::ui;

constexpr int k_helpLineHeight = 22;
constexpr int k_effectsMenu = 3;  // position of "E&ffects" on the menu bar

struct FrameState {
  HWND hwnd = nullptr;
  Editor* editor = nullptr;
};

void Layout(FrameState* s) {
  Editor* e = s->editor;
  RECT client;
  GetClientRect(s->hwnd, &client);
  int helpTop = client.bottom - k_helpLineHeight;
  MoveWindow(e->toolBar, 0, 0, k_toolBarWidth, helpTop, TRUE);
  MoveWindow(e->view, k_toolBarWidth, 0, client.right - k_toolBarWidth, helpTop, TRUE);
  MoveWindow(e->helpLine, 0, helpTop, client.right, k_helpLineHeight, TRUE);
}

bool OnCreate(FrameState* s) {
  Editor* e = s->editor;
  e->frame = s->hwnd;
  e->toolBar = ToolBarCreate(e, s->hwnd);
  e->view = DocViewCreate(e, s->hwnd);
  e->helpLine = CreateWindowExW(WS_EX_STATICEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP |
                                SS_CENTERIMAGE, 0, 0, 10, 10, s->hwnd, nullptr, ui::ModuleInstance(), nullptr);
  if (e->toolBar == nullptr || e->view == nullptr || e->helpLine == nullptr) return false;
  SendMessageW(e->helpLine, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return StartDocument(e) == 0;
}

void EnableEffects(FrameState* s, HMENU popup) {
  HMENU bar = GetMenu(s->hwnd);
  if (bar == nullptr || GetSubMenu(bar, k_effectsMenu) != popup) return;
  UINT state = EffectsEnabled(s->editor) ? MF_ENABLED : MF_GRAYED;
  for (int id = CMD_INVERT; id <= CMD_IMPLODE; ++id) EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | state);
}

void OnClose(FrameState* s) {
  if (ConfirmClose(s->editor)) DestroyWindow(s->hwnd);
}

void OnDestroy(FrameState* s) {
  Editor* e = s->editor;
  if (e->document != nullptr) DocumentKill(e->document);
  delete e->link;
  e->document = nullptr;
  e->link = nullptr;
  e->frame = e->view = e->toolBar = e->helpLine = nullptr;
  PostQuitMessage(0);
}

// A key that reaches the frame goes to the current tool.
void OnChar(FrameState* s, WPARAM key) {
  Editor* e = s->editor;
  if (e->document == nullptr) return;
  if (auto h = e->tools[e->document->current.tool].handlers.key) h(e->document, static_cast<int>(key));
}

void ShowAbout(Editor* e) {
  EditorAsk(e, "Glyphora\r\nA text-art editor: draw with characters, convert pictures, text and tables, "
               "and copy the art into your mail.", "About Glyphora", MB_OK | MB_ICONINFORMATION);
}

// The help contents: each tool's name and help line.
void ShowHelp(Editor* e) {
  std::string text;
  for (int tool = 0; tool < k_toolCount; ++tool) {
    text += ToolString(e->tools[tool].nameString);
    text += ": ";
    text += ToolString(e->tools[tool].helpString);
    text += "\r\n";
  }
  EditorAsk(e, text, "Glyphora Help", MB_OK | MB_ICONINFORMATION);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  FrameState* s = ui::WindowState<FrameState>(hwnd, message, lParam);
  if (s == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: return OnCreate(s) ? 0 : -1;
    case WM_SIZE: Layout(s); return 0;
    case WM_COMMAND: FrameCommand(s->editor, LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: EnableEffects(s, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_CHAR: OnChar(s, wParam); return 0;
    case WM_CLOSE: OnClose(s); return 0;
    case WM_DESTROY: OnDestroy(s); return 0;
    case WM_NCDESTROY: delete s; return DefWindowProcW(hwnd, message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void FrameCommand(Editor* e, int command) {
  if (e->document == nullptr) return;
  switch (command) {
    case CMD_NEW: return CommandNew(e);
    case CMD_OPEN: return CommandOpen(e);
    case CMD_SAVE: CommandSave(e); return;
    case CMD_SAVE_AS: CommandSaveAs(e); return;
    case CMD_EXIT: PostMessageW(e->frame, WM_CLOSE, 0, 0); return;
    case CMD_UNDO: return CommandUndo(e);
    case CMD_CUT: return CommandCut(e);
    case CMD_COPY: CommandCopy(e); return;
    case CMD_PASTE: return CommandPaste(e);
    case CMD_CLEAR: return CommandClear(e);
    case CMD_SELECT_ALL: return CommandSelectAll(e);
    case CMD_DIMENSIONS: return DimensionsDialog(e);
    case CMD_SEND_EMAIL: CommandSendEmail(e, e->loadLibrary); return;
    case CMD_PREFERENCES: return PreferencesDialog(e);
    case CMD_INVERT: return CommandTransform(e, Transform::Invert);
    case CMD_FLIP_HORIZONTAL: return CommandTransform(e, Transform::FlipHorizontal);
    case CMD_FLIP_VERTICAL: return CommandTransform(e, Transform::FlipVertical);
    case CMD_ROTATE_RIGHT: return CommandTransform(e, Transform::RotateRight);
    case CMD_ROTATE_LEFT: return CommandTransform(e, Transform::RotateLeft);
    case CMD_ROTATE_180: return CommandTransform(e, Transform::Rotate180);
    case CMD_EXPLODE: return CommandTransform(e, Transform::Explode);
    case CMD_IMPLODE: return CommandTransform(e, Transform::Implode);
    case CMD_HELP_CONTENTS: return ShowHelp(e);
    case CMD_ABOUT: return ShowAbout(e);
    default: return;
  }
}

HWND FrameCreate(Editor* editor) {
  HICON icon = LoadIconW(ui::ModuleInstance(), MAKEINTRESOURCEW(ICON_PROGRAM));
  ui::RegisterWindowClass({k_frameClass, FrameProc, icon, nullptr, nullptr});
  auto* state = new FrameState{nullptr, editor};
  ui::WindowParams params{k_frameClass, L"Glyphora", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, nullptr,
                      LoadMenuW(ui::ModuleInstance(), GLYPHORA_MENU_NAME), RECT{40, 30, 820, 600}};
  HWND hwnd = ui::CreateStateWindow(params, state);
  // A failed WM_CREATE still sends WM_NCDESTROY, which frees the state.
  return hwnd;
}

}  // namespace glyphora::app
