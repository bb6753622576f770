// Renders the fuzzed bytes as HTML and checks the shape of the text: no NUL, every line
// end a CR LF, at most one blank line in a row, none at the start, a CR LF at the end,
// and a size in proportion to the input.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/message/codec/html_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string html(reinterpret_cast<const char*>(data), size);
  const std::string text = HtmlToText(html);
  if (text.empty()) return 0;
  if (text.size() > 2 * html.size() + 2) std::abort();
  if (text.find('\0') != std::string::npos) std::abort();
  if (text.compare(0, 2, "\r\n") == 0 || text.compare(text.size() - 2, 2, "\r\n") != 0) std::abort();
  if (text.find("\r\n\r\n\r\n") != std::string::npos) std::abort();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) std::abort();
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) std::abort();
  }
  return 0;
}
