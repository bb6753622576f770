#include "glyphora/app/preferences_dialog.h"

#include <string>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/doc_view.h"
#include "glyphora/app/editor_setup.h"
#include "glyphora/app/preferences_store.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/ui/scoped_dc.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"

namespace glyphora::app {

namespace {

namespace ui = platform::win32::ui;

int CALLBACK AddFixedFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM combo) {
  if ((font->lfPitchAndFamily & 3) == FIXED_PITCH && font->lfFaceName[0] != L'@') {
    HWND box = reinterpret_cast<HWND>(combo);
    if (SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) ==
        CB_ERR)
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  }
  return 1;
}

// A face the system only maps onto another font (as "Courier New" may be) is not listed
// by the enumeration; it is offered too when, made as the display font is made, it draws
// with a fixed pitch.
void AddResolvedFont(HWND combo, HDC dc, const std::string& face) {
  std::wstring wide = platform::win32::WideFromGbk(face);
  if (SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())) !=
      CB_ERR)
    return;
  HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, wide.c_str());
  if (font == nullptr) return;
  platform::win32::ScopedGdiObject owned(font);
  platform::win32::ScopedSelection selected(dc, font);
  INT narrow = 0, wide_ = 0;  // a fixed pitch draws "i" as wide as "W"
  if (GetCharWidth32W(dc, L'i', L'i', &narrow) && GetCharWidth32W(dc, L'W', L'W', &wide_) && narrow == wide_)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void SelectFont(HWND dialog, const std::string& face) {
  HWND combo = GetDlgItem(dialog, IDC_PREF_FONT);
  std::wstring wide = platform::win32::WideFromGbk(face);
  LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  SendMessageW(combo, CB_SETCURSEL, at == CB_ERR ? 0 : static_cast<WPARAM>(at), 0);
}

void ShowFontAndRamp(HWND dialog, const std::string& face, int size, const std::string& ramp) {
  SelectFont(dialog, face);
  SetDlgItemInt(dialog, IDC_PREF_SIZE, static_cast<UINT>(size), FALSE);
  ui::SetWindowTextGbk(GetDlgItem(dialog, IDC_PREF_RAMP), ramp);
}

void OnInit(PreferencesState* s) {
  const Preferences& p = s->editor->preferences;
  LOGFONTW wanted{};
  wanted.lfCharSet = ANSI_CHARSET;
  ui::ScopedWindowDc dc(nullptr);
  HWND combo = GetDlgItem(s->hwnd, IDC_PREF_FONT);
  EnumFontFamiliesExW(dc.dc(), &wanted, AddFixedFont, reinterpret_cast<LPARAM>(combo), 0);
  AddResolvedFont(combo, dc.dc(), p.fontFace);
  for (const FontPreset& preset : k_fontPresets) AddResolvedFont(combo, dc.dc(), preset.face);
  ShowFontAndRamp(s->hwnd, p.fontFace, p.fontSize, p.ramp);
  ui::SetWindowTextGbk(GetDlgItem(s->hwnd, IDC_PREF_NOTICE), p.notice);
  SetDlgItemInt(s->hwnd, IDC_PREF_WIDTH, p.defaultWidth, FALSE);
  SetDlgItemInt(s->hwnd, IDC_PREF_HEIGHT, p.defaultHeight, FALSE);
}

bool Refuse(PreferencesState* s, UINT text) {
  EditorAsk(s->editor, ui::ResourceString(text), "Preferences", MB_OK | MB_ICONEXCLAMATION);
  return false;
}

// Reads the controls into *p; false (with the reason shown) when a value is refused.
bool ReadControls(PreferencesState* s, Preferences* p) {
  int size = 0, width = 0, height = 0;
  bool numbers = ui::DialogItemNumber(s->hwnd, IDC_PREF_SIZE, &size) &&
                 ui::DialogItemNumber(s->hwnd, IDC_PREF_WIDTH, &width) &&
                 ui::DialogItemNumber(s->hwnd, IDC_PREF_HEIGHT, &height);
  if (!numbers || size < 6 || size > 14 || width < 1 || width > 500 || height < 1 || height > 16000)
    return Refuse(s, STR_PREFERENCE_RANGES);
  std::string ramp = ui::DialogItemTextGbk(s->hwnd, IDC_PREF_RAMP);
  switch (RampCheck(ramp)) {
    case RampProblem::NotOrdinaryAscii: return Refuse(s, STR_ORDINARY_ASCII);
    case RampProblem::TooFewDifferent: return Refuse(s, STR_TWO_CHARACTERS);
    case RampProblem::None: break;
  }
  std::string face = ui::DialogItemTextGbk(s->hwnd, IDC_PREF_FONT);
  if (face.empty()) return Refuse(s, STR_FIXED_FONTS_ONLY);
  p->fontFace = face;
  p->fontSize = size;
  p->ramp = ramp;
  p->notice = ui::DialogItemTextGbk(s->hwnd, IDC_PREF_NOTICE);
  p->defaultWidth = static_cast<std::uint16_t>(width);
  p->defaultHeight = static_cast<std::uint16_t>(height);
  return true;
}

void OnOk(PreferencesState* s) {
  Editor* e = s->editor;
  Preferences p = e->preferences;
  if (!ReadControls(s, &p)) return;
  CollectPreferences(e, &p);
  Preferences old = e->preferences;
  e->preferences = p;
  ApplyPreferences(e, p);
  if (TestError(e, RemeasureFont(e)) != 0) {  // the old font stays usable
    e->preferences = old;
    ApplyPreferences(e, old);
    RemeasureFont(e);
    return;
  }
  if (!SavePreferences(p)) TestError(e, static_cast<int>(GetLastError() != 0 ? GetLastError() : ERROR_GEN_FAILURE));
  s->confirmed = true;
  EndDialog(s->hwnd, IDOK);
}

void OnPreset(PreferencesState* s, int preset) {
  const FontPreset& p = k_fontPresets[preset];
  ShowFontAndRamp(s->hwnd, p.face, p.size, p.ramp);
}

}  // namespace

int RemeasureFont(Editor* editor) {
  EditorFinish(editor);
  int error = EditorStart(editor);
  if (error != 0) return error;
  DocViewLayout(editor);
  if (editor->view != nullptr) InvalidateRect(editor->view, nullptr, FALSE);
  return 0;
}

INT_PTR CALLBACK PreferencesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PreferencesState* s = ui::DialogState<PreferencesState>(hwnd, message, lParam);
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG: OnInit(s); return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(s); return TRUE;
        case IDCANCEL: EndDialog(hwnd, IDCANCEL); return TRUE;
        case IDC_PREF_PRESET1: OnPreset(s, 0); return TRUE;
        case IDC_PREF_PRESET2: OnPreset(s, 1); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

void PreferencesDialog(Editor* editor) {
  PreferencesState state;
  state.editor = editor;
  DialogBoxParamW(ui::ModuleInstance(), MAKEINTRESOURCEW(DLG_PREFERENCES), editor->frame, PreferencesProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace glyphora::app
