// Small tests on Content-Type values that the parser's files share.
#pragma once

#include <string>

#include "quillet/message/header/header_text.h"

namespace msgdecode {

// header/mime_params.cpp relies on this name; it goes with the header naming pass.
using header_text::UpperCase;

bool StartsWithNoCase(const std::string& text, const std::string& prefix);
// "MULTIPART" anywhere in the type/subtype of a Content-Type value, in any case.
bool IsMultipartType(const std::string& contentType);
// The boundary parameter; EMsgDecodeError "Error: Miltipart message format - 'boundary'
// not found" when it is missing or empty.
std::string BoundaryOf(const std::string& contentType);
// image/, audio/, video/, application/, model/ and font/ data: never display text.
bool IsBinaryMediaType(const std::string& contentType);

}  // namespace msgdecode
