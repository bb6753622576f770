#include <algorithm>

#include "quillet/common/gbk.h"
#include "quillet/message/codec/codecs.h"

namespace {
// Only the printable bytes of a run become the two halves of a GB character; a control
// byte or a space inside a run (a line break above all) keeps its value.
char ToGbByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x21 && u <= 0x7E ? static_cast<char>(u | 0x80) : c;
}

// The first two-character marker at or after from that starts a character: HZ text is
// 7-bit, but a GBK text that passes through here may hold a double-byte character whose
// trail byte is "~" (0x7E), and that is no marker.
size_t FindMarker(const std::string& text, char second, size_t from) {
  for (size_t i = from; i + 1 < text.size(); i += gbk::CharLength(text, i)) {
    if (text[i] == '~' && text[i + 1] == second) return i;
  }
  return std::string::npos;
}
}  // namespace

std::string HZToGBText(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  size_t position = 0;
  for (;;) {
    size_t open = FindMarker(text, '{', position);
    size_t close = open == std::string::npos ? std::string::npos : FindMarker(text, '}', open + 2);
    if (close == std::string::npos) break;  // no complete run: the rest stays as it is
    result.append(text, position, open - position);
    for (size_t i = open + 2; i < close; ++i) result += ToGbByte(text[i]);
    position = close + 2;
  }
  result.append(text, position, std::string::npos);
  return result;
}

void HZToGB(TStream& stream, std::int64_t offset, std::int64_t length, TStream& output) {
  // A run may close anywhere later in the text, so the range is converted as a whole.
  std::string text;
  offset = std::max<std::int64_t>(offset, 0);
  std::int64_t available = std::max<std::int64_t>(0, std::min(length, stream.Size() - offset));
  text.resize(static_cast<size_t>(available));
  stream.Seek(offset, TSeekOrigin::Beginning);
  size_t filled = 0;
  while (filled < text.size()) {
    std::int32_t n = stream.Read(&text[filled], static_cast<std::int32_t>(std::min<size_t>(text.size() - filled, 1u << 30)));
    if (n <= 0) break;
    filled += static_cast<size_t>(n);
  }
  text.resize(filled);
  std::string converted = HZToGBText(text);
  output.WriteBuffer(converted.data(), static_cast<std::int32_t>(converted.size()));
}
