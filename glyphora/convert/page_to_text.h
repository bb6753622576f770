// A page written out as text: the document file form and the clipboard's copy form.
#pragma once

#include <cstdint>

#include "glyphora/document/page/page.h"

namespace glyphora {

enum class TextForm : int {
  Copy = 0,  // trimmed of blank rows at the bottom and columns at the right, after the
             // notice centred to that width and one line of spaces
  File = 1,  // the whole page
};

// Every row becomes exactly the (trimmed) width of bytes, empty cells as spaces, followed
// by CR LF. *buffer (Allocate; the caller frees it with Destroy) has one zero byte after
// the *length bytes of text. notice is used only in copy form (zero-terminated).
int PageToText(char** buffer, std::int32_t* length, const Page& page, TextForm form,
               const char* notice);

}  // namespace glyphora
