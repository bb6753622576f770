#include "glyphora/document/page/page.h"

#include <cstdlib>
#include <cstring>

#include "glyphora/document/page/page_blit.h"
#include "platform/system_error.h"

namespace glyphora {

void* Allocate(std::size_t size) { return std::calloc(size == 0 ? 1 : size, 1); }

void Destroy(void* block) { std::free(block); }

namespace {

bool ValidSize(int width, int height) {
  return width >= 0 && height >= 0 && width <= INT16_MAX && height <= INT16_MAX;
}

std::size_t CellCount(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

int PageNew(Page* page, int width, int height) {
  if (!ValidSize(width, height)) return platform::k_ERROR_INVALID_PARAMETER;
  void* cells = Allocate(CellCount(width, height));
  if (cells == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  page->width = static_cast<std::int16_t>(width);
  page->height = static_cast<std::int16_t>(height);
  page->cells = static_cast<unsigned char*>(cells);
  return 0;
}

int PageResize(Page* page, int width, int height) {
  if (!ValidSize(width, height)) return platform::k_ERROR_INVALID_PARAMETER;
  if (width != page->width) {
    Page resized;
    int error = PageNew(&resized, width, height);
    if (error != 0) return error;
    PageMerge(&resized, *page, 0, 0, BlitMode::Copy);
    PageKill(page);
    *page = resized;
  } else if (height != page->height) {
    // Rows are whole at the end of a row-major buffer: only the tail changes.
    std::size_t oldCount = CellCount(page->width, page->height);
    std::size_t newCount = CellCount(width, height);
    void* cells = std::realloc(page->cells, newCount == 0 ? 1 : newCount);
    if (cells == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
    page->cells = static_cast<unsigned char*>(cells);
    if (newCount > oldCount) std::memset(page->cells + oldCount, 0, newCount - oldCount);
    page->height = static_cast<std::int16_t>(height);
  }
  return 0;
}

void PageKill(Page* page) {
  Destroy(page->cells);
  *page = Page();
}

}  // namespace glyphora
