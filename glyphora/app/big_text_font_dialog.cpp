#include "glyphora/app/big_text_font_dialog.h"

#include <string>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/big_text.h"
#include "glyphora/app/preferences_store.h"
#include "platform/win32/ui/scoped_dc.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"

namespace glyphora::app {

namespace {

namespace ui = platform::win32::ui;

constexpr int k_smallest = 4, k_biggest = 127;  // the record's limits of the size

// The style check boxes, one per style bit.
constexpr struct {
  int control;
  int bit;
} k_styleBoxes[] = {
    {IDC_BIG_BOLD, k_bigTextBold},
    {IDC_BIG_ITALIC, k_bigTextItalic},
    {IDC_BIG_UNDERLINE, k_bigTextUnderline},
    {IDC_BIG_STRIKEOUT, k_bigTextStrikeOut},
};

void AddFace(HWND combo, const wchar_t* face) {
  if (face[0] == L'\0' || face[0] == L'@') return;  // "@": the same face set for vertical text
  if (SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face)) == CB_ERR)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
}

int CALLBACK AddEnumerated(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM combo) {
  AddFace(reinterpret_cast<HWND>(combo), font->lfFaceName);
  return 1;
}

// Every face of the system, and the record's own even when the system only maps it onto
// another font; the record's face is chosen.
void FillFaces(HWND combo, const std::string& current) {
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  ui::ScopedWindowDc dc(nullptr);
  EnumFontFamiliesExW(dc.dc(), &all, AddEnumerated, reinterpret_cast<LPARAM>(combo), 0);
  std::wstring wide = platform::win32::WideFromGbk(current);
  AddFace(combo, wide.c_str());
  LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  SendMessageW(combo, CB_SETCURSEL, at == CB_ERR ? 0 : static_cast<WPARAM>(at), 0);
}

void OnInit(BigTextFontState* s) {
  const Preferences& p = s->editor->preferences;
  FillFaces(GetDlgItem(s->hwnd, IDC_BIG_FACE), p.bigTextFace);
  SetDlgItemInt(s->hwnd, IDC_BIG_SIZE, static_cast<UINT>(p.bigTextSize), FALSE);
  for (const auto& box : k_styleBoxes)
    CheckDlgButton(s->hwnd, box.control, (p.bigTextStyle & box.bit) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// Takes the controls into the record and saves it; a size out of range is refused.
void OnOk(BigTextFontState* s) {
  Editor* e = s->editor;
  int size = 0;
  std::string face = ui::DialogItemTextGbk(s->hwnd, IDC_BIG_FACE);
  if (!ui::DialogItemNumber(s->hwnd, IDC_BIG_SIZE, &size) || size < k_smallest || size > k_biggest || face.empty()) {
    EditorAsk(e, ui::ResourceString(STR_BIG_TEXT_SIZE), "Big Text Font", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Preferences& p = e->preferences;
  p.bigTextFace = face;
  p.bigTextSize = size;
  p.bigTextStyle = 0;
  for (const auto& box : k_styleBoxes)
    if (IsDlgButtonChecked(s->hwnd, box.control) == BST_CHECKED) p.bigTextStyle = static_cast<std::uint8_t>(p.bigTextStyle | box.bit);
  CollectPreferences(e, &p);
  if (!SavePreferences(p)) TestError(e, static_cast<int>(GetLastError() != 0 ? GetLastError() : ERROR_GEN_FAILURE));
  s->confirmed = true;
  EndDialog(s->hwnd, IDOK);
}

}  // namespace

INT_PTR CALLBACK BigTextFontProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ui::OkCancelDialogProc<BigTextFontState, OnInit, OnOk>(hwnd, message, wParam, lParam);
}

void BigTextFontDialog(Editor* editor) {
  BigTextFontState state;
  state.editor = editor;
  DialogBoxParamW(ui::ModuleInstance(), MAKEINTRESOURCEW(DLG_BIG_TEXT_FONT), editor->frame, BigTextFontProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace glyphora::app
