#include "glyphora/app/file_commands.h"

#include "glyphora/app/app_resources.h"
#include "glyphora/app/doc_view.h"
#include "glyphora/app/tool_bar.h"
#include "glyphora/document/document_file.h"
#include "platform/win32/ui/file_dialog.h"
#include "platform/win32/ui/window_text.h"

namespace glyphora::app {

namespace {

namespace ui = platform::win32::ui;

ui::FileDialogRequest DocumentDialog(Editor* editor) {
  ui::FileDialogRequest params;
  params.owner = editor->frame;
  params.filters = {{"Glyphora Files", "*.GLY"}, {"Text Files", "*.TXT"}, {"All Files", "*.*"}};
  return params;
}

// Makes a document with a new link; on failure the link is freed and the error shown.
template <class Make>
bool MakeDocument(Editor* editor, Make make) {
  auto* link = new ViewLink(editor);
  Document* document = nullptr;
  int error = make(&document, link);
  if (TestError(editor, error) != 0) {
    delete link;
    return false;
  }
  InstallDocument(editor, document, link);
  return true;
}

}  // namespace

void UpdateTitle(Editor* editor) {
  if (editor->document != nullptr) ui::SetWindowTextGbk(editor->frame, DocumentTitle(*editor->document));
}

void InstallDocument(Editor* editor, Document* document, ViewLink* link) {
  Document* old = editor->document;
  ViewLink* oldLink = editor->link;
  editor->document = document;
  editor->link = link;
  link->Attach(document);
  editor->drag = ToolDrag();
  if (old != nullptr) DocumentKill(old);
  delete oldLink;
  DocViewLayout(editor);
  UpdateTitle(editor);
  ShowToolHelp(editor, document->current.tool);
  if (editor->view != nullptr) InvalidateRect(editor->view, nullptr, FALSE);
  if (editor->toolBar != nullptr) InvalidateRect(editor->toolBar, nullptr, TRUE);
}

int StartDocument(Editor* editor) {
  bool made = MakeDocument(editor, [&](Document** d, ViewLink* link) {
    return DocumentCreate(d, link, editor->settings.defaultWidth, editor->settings.defaultHeight);
  });
  return made ? 0 : 1;
}

bool ConfirmClose(Editor* editor) {
  if (editor->document == nullptr || editor->document->dirty == 0) return true;
  int answer = EditorAsk(editor, ui::ResourceString(STR_SAVE_CHANGES), ui::ResourceString(STR_CONFIRM_CLOSE),
                         MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDYES) return CommandSave(editor);
  if (answer != IDNO) return false;
  editor->document->dirty = 0;
  return true;
}

void CommandNew(Editor* editor) {
  if (ConfirmClose(editor)) StartDocument(editor);
}

bool OpenPath(Editor* editor, const std::string& path) {
  if (!ConfirmClose(editor)) return false;
  return MakeDocument(editor, [&](Document** d, ViewLink* link) {
    return DocumentOpen(d, link, path, editor->settings.defaultWidth);
  });
}

void CommandOpen(Editor* editor) {
  ui::FileDialogRequest params = DocumentDialog(editor);
  if (ui::OpenFileDialog(&params)) OpenPath(editor, params.path);
}

bool CommandSave(Editor* editor) {
  if (editor->document->hasPath == 0) return CommandSaveAs(editor);
  return TestError(editor, DocumentSave(editor->document)) == 0;
}

bool CommandSaveAs(Editor* editor) {
  ui::FileDialogRequest params = DocumentDialog(editor);
  params.defaultExtension = "TXT";
  if (editor->document->hasPath != 0) params.path = editor->document->path;
  if (!ui::SaveFileDialog(&params)) return false;
  bool saved = TestError(editor, DocumentSaveAs(editor->document, params.path)) == 0;
  UpdateTitle(editor);
  return saved;
}

}  // namespace glyphora::app
