// The clipboard's private page form ("Glyphora Page"): 16-bit width, 16-bit height, both
// little-endian, then width * height cell bytes, row-major.
#pragma once

#include <cstdint>

#include "glyphora/document/page/page.h"

namespace glyphora {

constexpr char k_pageClipFormat[] = "Glyphora Page";

// *buffer (Allocate; the caller frees it with Destroy) holds *length bytes.
int PageToClip(unsigned char** buffer, std::int32_t* length, const Page& page);
// Makes a new page from the private form. Bytes beyond the cells are ignored (a
// clipboard block may be rounded up); k_ERROR_INVALID_DATA when the block is shorter
// than its header says or the dimensions are negative.
int ClipToPage(Page* page, const unsigned char* data, std::int32_t length);

}  // namespace glyphora
