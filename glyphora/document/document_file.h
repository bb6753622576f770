// The document file: plain text, the whole main page, every row exactly width bytes
// (empty cells as spaces) followed by CR LF, nothing before or after.
#pragma once

#include <cstdint>
#include <string>

#include "glyphora/document/document.h"

namespace glyphora {

// Files are wrapped at this width when their name ends in ".GLY" (any case).
constexpr int k_documentFileWrap = k_maxDocWidth;

// Reads a whole file into *block (Allocate; the caller frees it), with one zero byte
// after its size bytes. On failure nothing is left allocated.
int FileReadAll(const std::string& path, SourceBlock* block);

// The page the editor makes of a text: wrapped at k_documentFileWrap for a ".GLY" name,
// else at defaultWidth, laid out left, as wide as its longest line and as high as its
// lines (at least 1 x 1), empty cells as spaces. k_ERROR_INVALID_DATA when it has more
// than k_maxDocHeight lines; k_ERROR_INVALID_PARAMETER for a default width outside
// 1 ... k_maxDocWidth.
int DocumentTextToPage(Page* page, const std::string& name, const char* text,
                       std::int32_t length, int defaultWidth);
// Opens a file as a new document (made with DocumentCreate, its path stored).
int DocumentOpen(Document** document, DocWindow* window, const std::string& path,
                 int defaultWidth);
// Writes the document to its path (the floating selection is merged first, and stays
// floating). The file is replaced in one step, so a failed save leaves the old file whole
// and the document dirty; a successful one clears dirty. k_ERROR_INVALID_PARAMETER for a
// document without a path.
int DocumentSave(Document* document);
// Stores path as the document's path and saves it there; on failure the old path stays.
int DocumentSaveAs(Document* document, const std::string& path);
// "name - Glyphora" with the file name of the path, or "Untitled - Glyphora".
std::string DocumentTitle(const Document& document);

}  // namespace glyphora
