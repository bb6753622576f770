// Base64 for short texts held in memory (encoded words, protocol exchanges), over the
// TBase64 codec.
#pragma once

#include <string>
#include <string_view>

// The Base64 form of the bytes on one line: no line breaks, padded with "=".
std::string Base64Text(const std::string& bytes);
// Decodes Base64 text that may hold blanks and several padded runs one after another
// ("QQ==Qg==" gives "AB"). False on a character outside the alphabet, or when the codec
// refuses the text.
bool Base64Decode(std::string_view text, std::string& bytes);
