// A file opened as the editor opens it (both wrap rules), and the page's clipboard form
// read back: the page stays within the document limits, every cell is filled (unless the
// file is empty), and the clipboard round trip gives the same cells. The raw bytes are
// also read as a clipboard block, which must be refused or give a page that fits in it.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "glyphora/convert/page_to_clip.h"
#include "glyphora/document/document_file.h"

using namespace glyphora;

namespace {

void CheckOpened(const char* name, const char* text, std::int32_t length) {
  Page page;
  if (DocumentTextToPage(&page, name, text, length, 74) != 0) return;
  if (page.width < 1 || page.width > k_maxDocWidth || page.height < 1 || page.height > k_maxDocHeight)
    std::abort();
  std::size_t cells = static_cast<std::size_t>(page.width) * page.height;
  // Text of any length lays its lines over the whole page; an empty text lays nothing.
  if (length > 0 && std::memchr(page.cells, 0, cells) != nullptr) std::abort();
  unsigned char* clip = nullptr;
  std::int32_t clipLength = 0;
  Page back;
  if (PageToClip(&clip, &clipLength, page) != 0 || ClipToPage(&back, clip, clipLength) != 0) std::abort();
  if (back.width != page.width || std::memcmp(back.cells, page.cells, cells) != 0) std::abort();
  PageKill(&back);
  Destroy(clip);
  PageKill(&page);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  const char* text = reinterpret_cast<const char*>(data);
  std::int32_t length = static_cast<std::int32_t>(size);
  CheckOpened("picture.GLY", text, length);
  CheckOpened("notes.txt", text, length);
  Page clip;
  if (ClipToPage(&clip, data, length) == 0) {
    if (4 + static_cast<std::size_t>(clip.width) * clip.height > size) std::abort();
    PageKill(&clip);
  }
  return 0;
}
