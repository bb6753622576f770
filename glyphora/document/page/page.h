// The character page: a rectangle of single-byte cells, row-major, row 0 first; cell
// (x, y) is byte y * width + x. A cell holds 0 when empty (transparent when laid over
// another page, written out as a space), 32 for a drawn blank, else a character.
// Every operation returns 0 or a system error number (platform/system_error.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphora {

struct Page {
  std::int16_t width = 0;
  std::int16_t height = 0;
  unsigned char* cells = nullptr;  // owned: PageKill frees it
};

// Largest page of a document (the dimensions dialog and the preferences).
constexpr int k_maxDocWidth = 500;
constexpr int k_maxDocHeight = 16000;
constexpr unsigned char k_emptyCell = 0;
constexpr unsigned char k_blankCell = ' ';

// The editor's memory: a block of at least one byte (so an empty page still has a
// buffer), or null when the system has none to give. Destroy takes null too.
void* Allocate(std::size_t size);
void Destroy(void* block);

// Sets the dimensions and gives the page a new buffer of width * height zero bytes; the
// old buffer is not freed. k_ERROR_INVALID_PARAMETER for a negative dimension,
// k_ERROR_NOT_ENOUGH_MEMORY when there is no memory (the page is then left as it was).
int PageNew(Page* page, int width, int height);
// Changes the size keeping the content at (0, 0); new cells are empty. On failure the
// page is unchanged.
int PageResize(Page* page, int width, int height);
// Frees the cell buffer; the page is left 0 x 0 without a buffer.
void PageKill(Page* page);

}  // namespace glyphora
