// Text laid out on a page: the first byte is the width, the second the justification and
// the line limit; the rest is the text. The page is as wide as asked, holds no more lines
// than the limit, and agrees with the measure the document takes first.
#include <cstdint>
#include <cstdlib>

#include "glyphora/convert/text_to_page.h"
#include "glyphora/convert/text_translate.h"
#include "glyphora/document/page/text_lines.h"

using namespace glyphora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 2 || size > 1 << 16) return 0;
  int width = data[0] % 80 + 1;
  Justify justify = static_cast<Justify>(data[1] & 3);
  int limit = data[1] >> 2;
  const char* text = reinterpret_cast<const char*>(data + 2);
  std::int32_t length = static_cast<std::int32_t>(size - 2);
  Page page;
  if (TextToPage(&page, width, limit, justify, text, length) != 0) return 0;
  if (page.width != width || (limit > 0 && page.height > limit)) std::abort();
  int measured = width, lines = 0;
  if (PagePointerDims(text, length, &measured, &lines) != 0 || measured > width) std::abort();
  if (limit == 0 && lines != page.height) std::abort();
  PageKill(&page);
  return 0;
}
