// Character-set conversion at the edges of the mail core.
#pragma once

#include <string>

namespace platform {

// Converts text in the named charset (a MIME charset name, any case) into GBK; a
// character GBK cannot hold becomes "?", and so does an undecodable byte sequence.
// False, with out untouched, when the charset is not one this platform can convert.
bool ConvertToGbk(const std::string& charset, const std::string& text, std::string& out);
// The terminal's UTF-8 from GBK and back (undecodable bytes become "?").
std::string GbkToUtf8(const std::string& text);
std::string Utf8ToGbk(const std::string& text);

}  // namespace platform
