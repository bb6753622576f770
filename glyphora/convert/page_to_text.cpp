#include "glyphora/convert/page_to_text.h"

#include <cstring>

#include "glyphora/convert/text_to_page.h"
#include "glyphora/document/page/page_reduce.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

// Writes rows [top, bottom) of the page, columns [0, width), each with CR LF.
char* PutRows(char* out, const Page& page, int width, int top, int bottom) {
  for (int y = top; y < bottom; ++y) {
    const unsigned char* row = page.cells + static_cast<std::size_t>(y) * page.width;
    for (int x = 0; x < width; ++x) *out++ = row[x] == k_emptyCell ? ' ' : static_cast<char>(row[x]);
    *out++ = '\r';
    *out++ = '\n';
  }
  return out;
}

}  // namespace

int PageToText(char** buffer, std::int32_t* length, const Page& page, TextForm form,
               const char* notice) {
  CellRect rect{0, 0, page.width, page.height};
  Page heading;  // the notice and the line of spaces, copy form only
  if (form == TextForm::Copy) {
    PageAutoReduce(&rect, page, false);
    int error = rect.right > 0 ? TextToPage(&heading, rect.right, 0, Justify::Centre, notice,
                                            static_cast<std::int32_t>(std::strlen(notice)))
                               : PageNew(&heading, 0, 0);
    if (error == 0) error = PageResize(&heading, rect.right, heading.height + 1);
    if (error != 0) return error;
  }
  std::size_t rows = static_cast<std::size_t>(heading.height) + rect.bottom;
  std::size_t size = rows * (static_cast<std::size_t>(rect.right) + 2);
  char* text = static_cast<char*>(size < INT32_MAX ? Allocate(size + 1) : nullptr);
  if (text == nullptr) {
    PageKill(&heading);
    return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  }
  char* out = PutRows(text, heading, rect.right, 0, heading.height);
  out = PutRows(out, page, rect.right, 0, rect.bottom);
  *out = '\0';
  PageKill(&heading);
  *buffer = text;
  *length = static_cast<std::int32_t>(size);
  return 0;
}

}  // namespace glyphora
