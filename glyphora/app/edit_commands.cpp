#include "glyphora/app/edit_commands.h"

#include <cstring>
#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/doc_view.h"
#include "glyphora/app/source_render.h"
#include "glyphora/app/text_handlers.h"
#include "glyphora/app/tool_bar.h"
#include "glyphora/convert/page_to_clip.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/convert/text_table.h"
#include "glyphora/document/doc_paste.h"
#include "glyphora/document/document_file.h"
#include "glyphora/tools/selection.h"
#include "platform/system_error.h"

namespace glyphora::app {

namespace {

UINT PageFormat() {
  static const UINT format = RegisterClipboardFormatW(L"Glyphora Page");
  return format;
}

// The clipboard, open for the scope of one command.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

// Copies bytes into a movable global block and hands it to the clipboard.
int PutBlock(UINT format, const void* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  std::memcpy(GlobalLock(block), data, size);
  GlobalUnlock(block);
  if (SetClipboardData(format, block) == nullptr) {
    GlobalFree(block);
    return static_cast<int>(GetLastError());
  }
  return 0;
}

int CopyForms(Editor* e) {
  const Page& page = SelectionCopyPage(*e->document);
  char* text = nullptr;
  std::int32_t textLength = 0;
  int error = PageToText(&text, &textLength, page, TextForm::Copy, e->settings.notice.c_str());
  unsigned char* form = nullptr;
  std::int32_t formLength = 0;
  if (error == 0) error = PageToClip(&form, &formLength, page);
  if (error == 0) error = PutBlock(CF_TEXT, text, static_cast<std::size_t>(textLength) + 1);
  if (error == 0) error = PutBlock(PageFormat(), form, static_cast<std::size_t>(formLength));
  Destroy(text);
  Destroy(form);
  return error;
}

std::string ClipboardText() {
  HANDLE block = GetClipboardData(CF_TEXT);
  if (block == nullptr) return std::string();
  const char* text = static_cast<const char*>(GlobalLock(block));
  std::string copy = text != nullptr ? std::string(text, strnlen(text, GlobalSize(block))) : std::string();
  GlobalUnlock(block);
  return copy;
}

// The top-left cell of the view, where pasted pages land.
void PastePosition(const Editor* e, int* column, int* row) {
  *column = e->document->view.firstColumn;
  *row = e->document->view.firstRow;
}

int FloatPasted(Editor* e, Page* page, BlitMode mode = BlitMode::EmptyAsBlank) {
  ToolBarSelect(e, k_selectTool);
  int column, row;
  PastePosition(e, &column, &row);
  if (e->settings.transparent) mode = BlitMode::SkipBlank;
  int error = SelectionFloat(e->document, page, column, row, mode);
  PageKill(page);
  return error;
}

int PastePage(Editor* e) {
  HANDLE block = GetClipboardData(PageFormat());
  if (block == nullptr) return static_cast<int>(GetLastError());
  Page page;
  const auto* data = static_cast<const unsigned char*>(GlobalLock(block));
  int error = ClipToPage(&page, data, static_cast<std::int32_t>(GlobalSize(block)));
  GlobalUnlock(block);
  return error != 0 ? error : FloatPasted(e, &page);
}

int PasteTable(Editor* e, const std::string& text) {
  SourceBlock table;
  Page page;
  int error = TextToTable(&table, text.data(), static_cast<std::int32_t>(text.size()),
                          e->settings.defaultWidth, e->preferences.verticalRules);
  if (error == 0) error = TableToPage(&page, &table, e->preferences.verticalRules, e->preferences.horizontalRules);
  if (error == 0) error = FloatPasted(e, &page);
  if (error == 0) {  // kept so the table can be laid out again
    e->document->current.sourceKind = SourceKind::Table;
    e->document->current.source = table;
  } else {
    Destroy(table.data);
  }
  return error;
}

// A copy of bytes in a block the document state owns.
int OwnedBlock(const void* data, std::size_t size, SourceBlock* block) {
  if (size > static_cast<std::size_t>(INT32_MAX)) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  block->data = static_cast<unsigned char*>(Allocate(size));
  if (block->data == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  std::memcpy(block->data, data, size);
  block->size = static_cast<std::int32_t>(size);
  return 0;
}

// The clipboard's device-independent bitmap, as its bytes.
int ClipboardBitmap(SourceBlock* block) {
  HANDLE handle = GetClipboardData(CF_DIB);
  if (handle == nullptr) return static_cast<int>(GetLastError());
  int error = OwnedBlock(GlobalLock(handle), GlobalSize(handle), block);
  GlobalUnlock(handle);
  return error;
}

int EnhancedBytes(HENHMETAFILE metafile, SourceBlock* block) {
  UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  if (size == 0) return static_cast<int>(GetLastError());
  std::vector<BYTE> bytes(size);
  GetEnhMetaFileBits(metafile, size, bytes.data());
  return OwnedBlock(bytes.data(), bytes.size(), block);
}

// An old-style metafile with its picture's mapping, made into an enhanced one.
int OldMetafileBytes(HANDLE handle, SourceBlock* block) {
  const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(handle));
  if (picture == nullptr) return static_cast<int>(GetLastError());
  METAFILEPICT mapping = *picture;
  GlobalUnlock(handle);
  UINT size = GetMetaFileBitsEx(mapping.hMF, 0, nullptr);
  if (size == 0) return static_cast<int>(GetLastError());
  std::vector<BYTE> bits(size);
  GetMetaFileBitsEx(mapping.hMF, size, bits.data());
  HENHMETAFILE enhanced = SetWinMetaFileBits(size, bits.data(), nullptr, &mapping);
  if (enhanced == nullptr) return static_cast<int>(GetLastError());
  int error = EnhancedBytes(enhanced, block);
  DeleteEnhMetaFile(enhanced);
  return error;
}

// The clipboard's enhanced metafile as its bytes; an old-style one is converted.
int ClipboardMetafile(SourceBlock* block) {
  if (HANDLE enhanced = GetClipboardData(CF_ENHMETAFILE)) return EnhancedBytes(static_cast<HENHMETAFILE>(enhanced), block);
  HANDLE old = GetClipboardData(CF_METAFILEPICT);
  return old != nullptr ? OldMetafileBytes(old, block) : static_cast<int>(GetLastError());
}

// A picture becomes characters on a page of the new-document size, fitted as the
// preferences say; its bytes are kept as the selection's source (the state owns them
// from here on).
int PastePicture(Editor* e, SourceKind kind, int (*read)(SourceBlock* block)) {
  SourceBlock source;
  int error = read(&source);
  Page page;
  if (error == 0)
    error = PictureSourceRender(e, kind, source, e->settings.defaultWidth, e->settings.defaultHeight, &page);
  if (error == 0) {
    error = FloatPasted(e, &page, BlitMode::SkipEmpty);
  } else {
    PageKill(&page);
  }
  if (error != 0) {
    Destroy(source.data);
    return error;
  }
  e->document->current.sourceKind = kind;
  e->document->current.source = source;
  return 0;
}

ClipContents ClipboardContents(const std::string& text) {
  ClipContents clip;
  clip.text = !text.empty();
  clip.textHasTab = text.find('\t') != std::string::npos;
  clip.bitmap = IsClipboardFormatAvailable(CF_DIB) != 0;
  clip.metafile = IsClipboardFormatAvailable(CF_ENHMETAFILE) != 0 || IsClipboardFormatAvailable(CF_METAFILEPICT) != 0;
  clip.page = IsClipboardFormatAvailable(PageFormat()) != 0;
  return clip;
}

}  // namespace

void CommandUndo(Editor* editor) {
  DocumentUndo(editor->document);
  ShowToolHelp(editor, editor->document->current.tool);
  InvalidateRect(editor->view, nullptr, FALSE);
  InvalidateRect(editor->toolBar, nullptr, TRUE);
}

bool CommandCopy(Editor* editor) {
  ClipboardScope clipboard(editor->frame);
  if (!clipboard.open() || !EmptyClipboard()) return TestError(editor, static_cast<int>(GetLastError())) == 0;
  return TestError(editor, CopyForms(editor)) == 0;
}

void CommandCut(Editor* editor) {
  if (CommandCopy(editor)) CommandClear(editor);
}

void CommandPaste(Editor* editor) {
  int error = 0;
  {
    ClipboardScope clipboard(editor->frame);
    if (!clipboard.open()) return (void)TestError(editor, static_cast<int>(GetLastError()));
    std::string text = ClipboardText();
    switch (DocPasteAction(ClipboardContents(text), editor->document->current.tool)) {
      case PasteAction::Table: error = PasteTable(editor, text); break;
      case PasteAction::Page: error = PastePage(editor); break;
      case PasteAction::IntoTextTool: error = TextToolPaste(editor, text); break;
      case PasteAction::TextTool:
        ToolBarSelect(editor, k_textTool);
        error = TextToolPaste(editor, text);
        break;
      case PasteAction::Bitmap: error = PastePicture(editor, SourceKind::Bitmap, ClipboardBitmap); break;
      case PasteAction::Metafile: error = PastePicture(editor, SourceKind::Metafile, ClipboardMetafile); break;
      case PasteAction::Nothing: break;
    }
  }
  TestError(editor, error);
  InvalidateRect(editor->view, nullptr, FALSE);
}

void CommandClear(Editor* editor) {
  TestError(editor, SelectionClear(editor->document));
  InvalidateRect(editor->view, nullptr, FALSE);
}

void CommandSelectAll(Editor* editor) {
  ToolBarSelect(editor, k_selectTool);
  BlitMode mode = editor->settings.transparent ? BlitMode::SkipBlank : BlitMode::EmptyAsBlank;
  TestError(editor, DocumentSelAll(editor->document, mode));
  InvalidateRect(editor->view, nullptr, FALSE);
}

bool EffectsEnabled(const Editor* editor) {
  const Document* d = editor->document;
  return d != nullptr && d->current.tool == k_selectTool && d->current.floating != 0;
}

void CommandTransform(Editor* editor, Transform transform) {
  if (!EffectsEnabled(editor)) return;  // a posted command reaches here even when greyed
  TestError(editor, SelectionTransform(editor->document, transform, editor->grays));
  InvalidateRect(editor->view, nullptr, FALSE);
}

int ResizeDocument(Editor* editor, int columns, int rows) {
  if (columns < 1 || columns > k_maxDocWidth || rows < 1 || rows > k_maxDocHeight)
    return platform::k_ERROR_INVALID_PARAMETER;
  Document* d = editor->document;
  int error = DocBeginAction(d);
  if (error == 0) error = PageResize(&d->current.mainPage, columns, rows);
  if (error != 0) return TestError(editor, error);
  editor->link->ResetScrolling();
  return 0;
}

}  // namespace glyphora::app
