#include "quillet/common/lines.h"

#include <cstring>

namespace {
constexpr std::int32_t k_lineLimit = 255;
}

void WriteLine(TStream& stream, const std::string& text) {
  std::string line;
  line.reserve(text.size() + 2);
  line += text;
  line += "\r\n";
  stream.WriteString(line);
}

void ReadLine(TStream& stream, std::string& text) {
  char buffer[k_lineLimit + 1];
  std::int64_t start = stream.Position();
  std::int32_t n = stream.Read(buffer, k_lineLimit + 1);  // one extra byte: the LF after a CR at 255
  if (n <= 0) {
    text.clear();
    stream.Seek(0, TSeekOrigin::End);
    return;
  }
  std::int32_t scanned = n < k_lineLimit ? n : k_lineLimit;
  const char* cr = static_cast<const char*>(std::memchr(buffer, '\r', static_cast<size_t>(scanned)));
  if (cr) {
    std::int32_t length = static_cast<std::int32_t>(cr - buffer);
    text.assign(buffer, static_cast<size_t>(length));
    std::int32_t next = length + 1;
    if (next < n && buffer[next] == '\n') ++next;
    stream.Seek(start + next, TSeekOrigin::Beginning);
    return;
  }
  const char* nul = static_cast<const char*>(std::memchr(buffer, '\0', static_cast<size_t>(scanned)));
  text.assign(buffer, nul ? static_cast<size_t>(nul - buffer) : static_cast<size_t>(scanned));
  stream.Seek(start + scanned, TSeekOrigin::Beginning);
}

TStringList SplitLines(const std::string& text) {
  TStringList lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    size_t end = lf == std::string::npos ? text.size() : lf;
    size_t cut = end > start && text[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(text.substr(start, cut - start));
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

std::string WithCrLfLineEnds(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32 + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      result += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      result += "\r\n";
    } else {
      result += c;
    }
  }
  return result;
}
