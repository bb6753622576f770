// DecodeWords on arbitrary header text, and EncodeWord followed by DecodeWords, which
// must give the text back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/message/header/header_utils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  DecodeWords(text);
  if (DecodeWords(EncodeWord(text)) != text) std::abort();
  return 0;
}
