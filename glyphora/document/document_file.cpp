#include "glyphora/document/document_file.h"

#include <algorithm>
#include <cstring>

#include "glyphora/convert/convert_texts.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/convert/text_to_page.h"
#include "glyphora/document/document_texts.h"
#include "glyphora/document/page/text_lines.h"
#include "platform/file.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

bool HasDocumentExtension(const std::string& name) {
  std::size_t n = std::strlen(k_documentExtension);
  if (name.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = name[name.size() - n + i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != k_documentExtension[i]) return false;
  }
  return true;
}

// The part after the last path separator, stepping over double-byte characters whose
// trail byte may look like one.
std::string FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c >= 0x81 && c <= 0xFE && p[1] != '\0') ++p;
    else if (c == '\\' || c == '/' || c == ':') name = p + 1;
  }
  return name;
}

int ReadOpened(platform::FileHandle file, SourceBlock* block) {
  std::int64_t size = platform::FileSizeOf(file);
  if (size < 0) return platform::LastSystemError();
  if (size >= INT32_MAX) return platform::k_ERROR_FILE_TOO_LARGE;
  unsigned char* data = static_cast<unsigned char*>(Allocate(static_cast<std::size_t>(size) + 1));
  if (data == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  std::int32_t count = static_cast<std::int32_t>(size);
  if (count > 0 && platform::FileRead(file, data, count) != count) {
    int error = platform::LastSystemError();
    Destroy(data);
    return error;
  }
  *block = SourceBlock{data, count};
  return 0;
}

// Lays the text page into a main page of the document, blanks where it has no text.
void LayInto(Page* main, const Page& text) { PageMerge(main, text, 0, 0, BlitMode::EmptyAsBlank); }

}  // namespace

int FileReadAll(const std::string& path, SourceBlock* block) {
  platform::FileHandle file = platform::FileOpen(path, platform::FileAccess::Read);
  if (file == platform::k_invalidFile) return platform::LastSystemError();
  int error = ReadOpened(file, block);
  platform::FileClose(file);
  return error;
}

int DocumentTextToPage(Page* page, const std::string& name, const char* text,
                       std::int32_t length, int defaultWidth) {
  if (defaultWidth < 1 || defaultWidth > k_maxDocWidth) return platform::k_ERROR_INVALID_PARAMETER;
  int wrap = HasDocumentExtension(name) ? k_documentFileWrap : defaultWidth;
  int width = wrap, lines = 0;
  int error = PagePointerDims(text, length, &width, &lines);
  if (error != 0) return error;
  if (lines > k_maxDocHeight) return platform::k_ERROR_INVALID_DATA;
  Page laid;
  error = TextToPage(&laid, wrap, 0, Justify::Left, text, length);
  if (error != 0) return error;
  error = PageNew(page, std::max(width, 1), std::max(lines, 1));
  if (error == 0) LayInto(page, laid);
  PageKill(&laid);
  return error;
}

int DocumentOpen(Document** document, DocWindow* window, const std::string& path,
                 int defaultWidth) {
  if (path.size() >= k_pathBufferSize) return platform::k_ERROR_FILENAME_EXCED_RANGE;
  SourceBlock file;
  int error = FileReadAll(path, &file);
  if (error != 0) return error;
  Page page;
  error = DocumentTextToPage(&page, path, reinterpret_cast<const char*>(file.data), file.size,
                             defaultWidth);
  Destroy(file.data);
  if (error != 0) return error;
  Document* made = nullptr;
  error = DocumentCreate(&made, window, page.width, page.height);
  if (error == 0) {
    LayInto(&made->current.mainPage, page);
    LayInto(&made->undo.mainPage, page);
    std::memcpy(made->path, path.c_str(), path.size() + 1);
    made->hasPath = 1;
    *document = made;
  }
  PageKill(&page);
  return error;
}

int DocumentSave(Document* document) {
  if (!document->hasPath) return platform::k_ERROR_INVALID_PARAMETER;
  int error = DocFrontPageDrop(document, true, false);
  char* text = nullptr;
  std::int32_t length = 0;
  if (error == 0)
    error = PageToText(&text, &length, document->current.mainPage, TextForm::File, k_defaultNotice);
  if (error != 0) return error;
  if (!platform::FileReplaceContents(document->path, text, length)) error = platform::LastSystemError();
  Destroy(text);
  if (error == 0) document->dirty = 0;
  return error;
}

int DocumentSaveAs(Document* document, const std::string& path) {
  if (path.size() >= k_pathBufferSize) return platform::k_ERROR_FILENAME_EXCED_RANGE;
  char old[k_pathBufferSize];
  std::memcpy(old, document->path, sizeof old);
  int oldHasPath = document->hasPath;
  std::memcpy(document->path, path.c_str(), path.size() + 1);
  document->hasPath = 1;
  int error = DocumentSave(document);
  if (error != 0) {
    std::memcpy(document->path, old, sizeof old);
    document->hasPath = oldHasPath;
  }
  return error;
}

std::string DocumentTitle(const Document& document) {
  std::string name = document.hasPath ? FileNamePart(document.path) : k_untitledName;
  return name + k_titleSuffix;
}

}  // namespace glyphora
