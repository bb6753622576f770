#include "glyphora/app/tool_bar.h"

#include <algorithm>
#include <string>

#include "glyphora/app/big_text_font_dialog.h"
#include "glyphora/convert/text_table.h"
#include "glyphora/tools/brush.h"
#include "glyphora/tools/tool_select.h"
#include "glyphora/tools/tools_texts.h"
#include "platform/win32/ui/scoped_dc.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"

namespace glyphora::app {

namespace {

namespace ui = platform::win32::ui;

constexpr int k_buttonInset = 2;
constexpr int k_iconSize = 24;
constexpr int k_optionsGap = 8;  // between the last tool button and the options

struct ToolBarState {
  HWND hwnd = nullptr;
  Editor* editor = nullptr;
};

constexpr const wchar_t* k_justifyCaptions[] = {L"Left", L"Centre", L"Right", L"Full"};

constexpr const wchar_t* k_scalingCaptions[] = {L"Direct", L"Fit", L"Free"};
constexpr int k_scalingModes = 3;

constexpr int k_bigTextBig = 127, k_bigTextSmall = 4;  // the preferences' size limits

// The font chooser's three rows: the face, "< size >" and the style letters.
std::wstring BigTextCaption(const Preferences& p) {
  std::wstring style;
  for (int bit = 0; bit < 4; ++bit)
    if ((p.bigTextStyle & (1 << bit)) != 0) style += L"BIUS"[bit];
  return platform::win32::WideFromGbk(p.bigTextFace) + L"\n< " + std::to_wstring(p.bigTextSize) + L" >\n" +
         (style.empty() ? L"Plain" : style);
}

// The top row opens the font dialog; the middle row steps the size (left half smaller,
// right half bigger); the bottom row steps the style through its sixteen combinations.
void BigTextClick(Editor* e, int x, int y) {
  Preferences* p = &e->preferences;
  if (y < k_optionButtonHeight) {
    BigTextFontDialog(e);
  } else if (y >= 2 * k_optionButtonHeight) {
    p->bigTextStyle = static_cast<std::uint8_t>((p->bigTextStyle + 1) & 15);
  } else if (y >= k_optionButtonHeight) {
    p->bigTextSize = std::clamp(p->bigTextSize + (x >= k_toolBarWidth / 2 ? 1 : -1), k_bigTextSmall, k_bigTextBig);
  }
}

int OptionsTop(const Editor* e) { return e->tools[k_toolCount - 1].buttonTop + k_toolButtonHeight + k_optionsGap; }

RECT ToolRect(const Editor* e, int tool) {
  int top = e->tools[tool].buttonTop;
  return RECT{k_buttonInset, top, k_toolBarWidth - k_buttonInset, top + k_toolButtonHeight};
}

void DrawTool(Editor* e, HDC dc, int tool) {
  RECT r = ToolRect(e, tool);
  bool current = e->document != nullptr && e->document->current.tool == tool;
  FillRect(dc, &r, GetSysColorBrush(current ? COLOR_3DLIGHT : COLOR_BTNFACE));
  DrawEdge(dc, &r, current ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  HICON icon = static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(e->tools[tool].iconResource),
                                             IMAGE_ICON, k_iconSize, k_iconSize, LR_SHARED));
  int x = (r.left + r.right - k_iconSize) / 2 + (current ? 1 : 0);
  int y = (r.top + r.bottom - k_iconSize) / 2 + (current ? 1 : 0);
  if (icon != nullptr) DrawIconEx(dc, x, y, icon, k_iconSize, k_iconSize, 0, nullptr, DI_NORMAL);
}

std::wstring OptionCaption(const Editor* e, ButtonKind kind, int tool) {
  switch (kind) {
    case ButtonKind::Transparent: return e->settings.transparent ? L"Clear" : L"Solid";
    case ButtonKind::Character: {
      unsigned char c = (tool >= 6) ? e->settings.shapeCharacter : e->options.character;
      if (tool == 3 && e->options.directionMode) return L"Dir";
      return c == 0 ? std::wstring(L"Auto") : std::wstring(1, static_cast<wchar_t>(c));
    }
    case ButtonKind::ShapeSize: {
      int size = tool == 3 ? BrushSize(e->options.pencilBrush)
                 : tool == 4 ? BrushSize(e->options.rubberBrush) : e->settings.thickness;
      std::wstring shape;  // the brush's shape between its size arrows
      if (tool == 3 || tool == 4) shape = BrushRound(tool == 3 ? e->options.pencilBrush : e->options.rubberBrush) ? L" o" : L" #";
      return L"< " + std::to_wstring(size) + shape + L" >";
    }
    case ButtonKind::Compounds: return e->options.compounds ? L"On" : L"Off";
    case ButtonKind::Justification: return k_justifyCaptions[e->preferences.justification & 3];
    case ButtonKind::BigTextFont: return BigTextCaption(e->preferences);
    case ButtonKind::PictureSquish: return k_scalingCaptions[e->preferences.scalingMode % 3];
    case ButtonKind::RuleMode:
      return L"|" + std::to_wstring(e->preferences.verticalRules) + L" -" + std::to_wstring(e->preferences.horizontalRules);
    default: return L"";
  }
}

// Each line of the caption centred in its 32-pixel row of the button.
void DrawCaption(HDC dc, RECT r, const std::wstring& caption) {
  std::size_t start = 0;
  for (RECT row{r.left, r.top, r.right, r.top + k_optionButtonHeight}; start <= caption.size();
       OffsetRect(&row, 0, k_optionButtonHeight)) {
    std::size_t end = std::min(caption.find(L'\n', start), caption.size());
    DrawTextW(dc, caption.c_str() + start, static_cast<int>(end - start), &row, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    start = end + 1;
  }
}

void DrawOptions(Editor* e, HDC dc) {
  if (e->document == nullptr) return;
  int tool = e->document->current.tool;
  ButtonKind kinds[k_buttonKindCount];
  int tops[k_buttonKindCount];
  int count = ToolOptionKinds(e->document->current, tool, kinds);
  ButtonStack(kinds, count, OptionsTop(e), tops);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < count; ++i) {
    RECT r{k_buttonInset, tops[i], k_toolBarWidth - k_buttonInset, tops[i] + ButtonHeight(kinds[i])};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    std::wstring caption = OptionCaption(e, kinds[i], tool);
    DrawCaption(dc, r, caption);
  }
  SelectObject(dc, old);
}

void OnPaint(ToolBarState* s) {
  ui::ScopedPaint paint(s->hwnd);
  RECT client;
  GetClientRect(s->hwnd, &client);
  FillRect(paint.dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
  for (int tool = 0; tool < k_toolCount; ++tool) DrawTool(s->editor, paint.dc(), tool);
  DrawOptions(s->editor, paint.dc());
}

int ToolAt(const Editor* e, int x, int y) {
  for (int tool = 0; tool < k_toolCount; ++tool) {
    RECT r = ToolRect(e, tool);
    POINT p{x, y};
    if (PtInRect(&r, p)) return tool;
  }
  return -1;
}

// A size button: the left third makes it smaller, the right third bigger; on a brush
// the middle third switches between the round and the square brush.
void ChangeSize(Editor* e, int tool, int x) {
  int third = std::clamp(x * 3 / k_toolBarWidth, 0, 2);
  int step = third - 1;
  if (tool == 3 || tool == 4) {
    std::uint16_t& word = tool == 3 ? e->options.pencilBrush : e->options.rubberBrush;
    bool round = BrushRound(word) != (third == 1);
    word = BrushWord(std::clamp(BrushSize(word) + step, 1, k_maxBrushSize), round);
  } else {
    e->settings.thickness = std::clamp(e->settings.thickness + step, 1, k_maxBrushSize);
  }
}

void OptionClick(Editor* e, ButtonKind kind, int tool, int x, int y) {
  switch (kind) {
    case ButtonKind::Transparent: e->settings.transparent = !e->settings.transparent; break;
    case ButtonKind::Compounds:
      e->options.compounds = !e->options.compounds;
      ui::SetWindowTextGbk(e->helpLine, e->options.compounds ? k_compoundsOnText : k_compoundsOffText);
      break;
    case ButtonKind::ShapeSize: ChangeSize(e, tool, x); break;
    case ButtonKind::BigTextFont: BigTextClick(e, x, y); break;
    case ButtonKind::PictureSquish:
      e->preferences.scalingMode = static_cast<std::uint8_t>((e->preferences.scalingMode + 1) % k_scalingModes);
      break;
    case ButtonKind::RuleMode: {  // the left half steps the rules between columns, the right half between rows
      std::uint8_t& rules = x < k_toolBarWidth / 2 ? e->preferences.verticalRules : e->preferences.horizontalRules;
      rules = static_cast<std::uint8_t>((rules + 1) % (k_maxRuleMode + 1));
      break;
    }
    case ButtonKind::Justification:
      e->preferences.justification = static_cast<std::uint16_t>((e->preferences.justification + 1) & 3);
      break;
    case ButtonKind::Character:
      if (tool == 3) {  // the pencil's button switches its direction mode
        e->options.directionMode = !e->options.directionMode;
        ui::SetWindowTextGbk(e->helpLine, e->options.directionMode ? k_directionOnText : k_directionOffText);
        break;
      }
      ui::SetWindowTextGbk(e->helpLine, "Type a character to draw with (Backspace: the shape's own characters).");
      break;
    default: break;
  }
}

void OnPress(ToolBarState* s, int x, int y) {
  Editor* e = s->editor;
  if (e->document == nullptr) return;
  int tool = ToolAt(e, x, y);
  if (tool >= 0) return ToolBarSelect(e, tool);
  ButtonKind kinds[k_buttonKindCount];
  int tops[k_buttonKindCount];
  int current = e->document->current.tool;
  int count = ToolOptionKinds(e->document->current, current, kinds);
  ButtonStack(kinds, count, OptionsTop(e), tops);
  for (int i = 0; i < count; ++i) {
    if (y < tops[i] || y >= tops[i] + ButtonHeight(kinds[i])) continue;
    OptionClick(e, kinds[i], current, x, y - tops[i]);
    if (auto recalc = e->tools[current].handlers.recalc) recalc(e->document);  // the float follows
  }
  InvalidateRect(s->hwnd, nullptr, TRUE);
  if (e->view != nullptr) InvalidateRect(e->view, nullptr, FALSE);
}

void OnMove(ToolBarState* s, int x, int y) {
  int tool = ToolAt(s->editor, x, y);
  if (tool >= 0) ShowToolHelp(s->editor, tool);
}

LRESULT CALLBACK ToolBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ToolBarState* s = ui::WindowState<ToolBarState>(hwnd, message, lParam);
  if (s == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  switch (message) {
    case WM_PAINT: OnPaint(s); return 0;
    case WM_LBUTTONDOWN: OnPress(s, x, y); return 0;
    case WM_MOUSEMOVE: OnMove(s, x, y); return 0;
    case WM_NCDESTROY: delete s; return DefWindowProcW(hwnd, message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int ToolOptionKinds(const DocState& state, int tool, ButtonKind* kinds) {
  int n = 0;
  switch (static_cast<ToolIndex>(tool)) {
    case ToolIndex::Select:
      kinds[n++] = ButtonKind::Transparent;
      if (state.floating != 0 && state.sourceKind == SourceKind::Table) kinds[n++] = ButtonKind::RuleMode;
      if (state.floating != 0 && (state.sourceKind == SourceKind::Bitmap || state.sourceKind == SourceKind::Metafile))
        kinds[n++] = ButtonKind::PictureSquish;
      break;
    case ToolIndex::Text:
    case ToolIndex::BigText:
      kinds[n++] = ButtonKind::Transparent;
      kinds[n++] = ButtonKind::Justification;
      if (tool == static_cast<int>(ToolIndex::BigText)) kinds[n++] = ButtonKind::BigTextFont;
      break;
    case ToolIndex::Pencil:
    case ToolIndex::Rubber:
    case ToolIndex::Circle:
    case ToolIndex::Rectangle:
      if (tool != static_cast<int>(ToolIndex::Rubber)) kinds[n++] = ButtonKind::Character;
      kinds[n++] = ButtonKind::ShapeSize;
      break;
    case ToolIndex::Bucket: kinds[n++] = ButtonKind::Character; break;
    case ToolIndex::Line:
      kinds[n++] = ButtonKind::Character;
      kinds[n++] = ButtonKind::ShapeSize;
      kinds[n++] = ButtonKind::Compounds;
      break;
    default: break;
  }
  return n;
}

RECT ToolBarOptionRect(const Editor* editor, int index) {
  ButtonKind kinds[k_buttonKindCount];
  int tops[k_buttonKindCount];
  int count = ToolOptionKinds(editor->document->current, editor->document->current.tool, kinds);
  ButtonStack(kinds, count, OptionsTop(editor), tops);
  if (index < 0 || index >= count) return RECT{};
  return RECT{k_buttonInset, tops[index], k_toolBarWidth - k_buttonInset, tops[index] + ButtonHeight(kinds[index])};
}

void ShowToolHelp(Editor* editor, int tool) {
  if (editor->helpLine == nullptr) return;
  const char* help = ToolString(editor->tools[tool].helpString);
  ui::SetWindowTextGbk(editor->helpLine, help != nullptr ? help : "");
}

void ToolBarSelect(Editor* editor, int tool) {
  ToolSelect(editor->document, editor->tools, tool, nullptr);
  ShowToolHelp(editor, tool);
  if (editor->toolBar != nullptr) InvalidateRect(editor->toolBar, nullptr, TRUE);
  if (editor->view != nullptr) InvalidateRect(editor->view, nullptr, FALSE);
}

HWND ToolBarCreate(Editor* editor, HWND parent) {
  ui::RegisterWindowClass({k_toolBarClass, ToolBarProc, nullptr, nullptr, nullptr});
  auto* state = new ToolBarState{nullptr, editor};
  ui::WindowParams params{k_toolBarClass, L"", WS_CHILD | WS_VISIBLE, 0, parent, nullptr,
                      RECT{0, 0, k_toolBarWidth, 400}};
  HWND hwnd = ui::CreateStateWindow(params, state);
  if (hwnd == nullptr) delete state;
  return hwnd;
}

}  // namespace glyphora::app
