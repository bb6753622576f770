#include "glyphora/app/text_handlers.h"

#include "glyphora/app/big_text.h"
#include "glyphora/convert/text_translate.h"
#include "glyphora/tools/selection.h"
#include "glyphora/tools/text_float.h"

namespace glyphora::app {

namespace {

constexpr int k_backspace = '\b';
constexpr int k_enter = '\r';

Justify EditorJustify(const Editor* e) { return static_cast<Justify>(e->preferences.justification & 3); }

// Runs edit with the layout of the current text tool: plain text, or big letters.
template <class Edit>
int WithLayout(Editor* e, Edit edit) {
  Justify justify = EditorJustify(e);
  if (e->document->current.tool == static_cast<int>(ToolIndex::BigText)) {
    BigTextContext big{e, justify};
    return edit(BigTextLayout(&big));
  }
  return edit(PlainTextLayout(&justify));
}

BlitMode TextMode(const Editor* e) {
  return e->settings.transparent ? BlitMode::SkipBlank : BlitMode::EmptyAsBlank;
}

bool InsideText(const DocState& s, int column, int row) {
  CellRect r = DocFloatingArea(s);
  return TextFloating(s) && column >= r.left && column < r.right && row >= r.top && row < r.bottom;
}

// Typing with no text floating starts one where the mouse last was.
int EnsureText(Editor* e, Document* d) {
  if (TextFloating(d->current)) return 0;
  return TextFloatStart(d, e->drag.column, e->drag.row, TextMode(e));
}

// A press on the text grabs it (a drag moves it, one action); elsewhere a new text starts
// at the cell and the old one is laid down.
void TextMouse(Document* d, int event, int column, int row) {
  Editor* e = EditorOf(d);
  ToolDrag& drag = e->drag;
  if (event == static_cast<int>(MouseEvent::Press)) {
    drag.moving = InsideText(d->current, column, row);
    drag.grabColumn = column - d->current.floatingColumn;
    drag.grabRow = row - d->current.floatingRow;
    TestError(e, drag.moving ? DocBeginAction(d) : TextFloatStart(d, column, row, TextMode(e)));
  } else if (drag.moving) {
    SelectionMoveTo(d, column - drag.grabColumn, row - drag.grabRow);
  }
  drag.column = column;
  drag.row = row;
}

void TextKey(Document* d, int key) {
  Editor* e = EditorOf(d);
  int error = 0;
  if (key == k_backspace) {
    error = WithLayout(e, [d](const TextLayout& layout) { return TextFloatErase(d, layout); });
  } else if (key == k_enter || (key >= ' ' && key < 127)) {
    char byte = static_cast<char>(key);
    error = EnsureText(e, d);
    if (error == 0)
      error = WithLayout(e, [d, &byte](const TextLayout& layout) { return TextFloatInsert(d, &byte, 1, layout); });
  }
  TestError(e, error);
  if (e->view != nullptr) InvalidateRect(e->view, nullptr, FALSE);
}

// Leaving the text tool lays its text down.
void TextActive(Document* d, int active) {
  if (active == 0 && d->current.floating != 0) DocFrontPageDrop(d, true, true);
}

// An option changed: the text is laid out again.
void TextRecalc(Document* d) {
  Editor* e = EditorOf(d);
  TestError(e, WithLayout(e, [d](const TextLayout& layout) { return TextFloatLayout(d, layout); }));
}

void TextPlacing(Document* d, int column, int row) {
  Editor* e = EditorOf(d);
  e->drag.column = column;
  e->drag.row = row;
}

}  // namespace

void TextHandlersFill(ToolHandlers own[k_toolCount]) {
  ToolHandlers& text = own[static_cast<int>(ToolIndex::Text)];
  text.key = TextKey;
  text.mouse = TextMouse;
  text.active = TextActive;
  text.placing = TextPlacing;
  text.recalc = TextRecalc;
  ToolHandlers& big = own[static_cast<int>(ToolIndex::BigText)];  // its layout differs, keys the same
  big.key = TextKey;
  big.recalc = TextRecalc;
}

int TextToolPaste(Editor* editor, const std::string& text) {
  std::string plain = text;
  TextTranslate(plain.data(), static_cast<std::int32_t>(plain.size()));
  Document* d = editor->document;
  int error = EnsureText(editor, d);
  if (error != 0) return error;
  return WithLayout(editor, [d, &plain](const TextLayout& layout) {
    return TextFloatInsert(d, plain.data(), static_cast<std::int32_t>(plain.size()), layout);
  });
}

}  // namespace glyphora::app
