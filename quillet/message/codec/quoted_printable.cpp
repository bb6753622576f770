#include <vector>

#include "quillet/message/codec/codec_output.h"
#include "quillet/message/codec/codecs.h"

namespace {

constexpr size_t k_paragraphLimit = 4095;  // the paragraph buffer holds 4096 bytes
// Decoded paragraphs may be far longer: HTML mail joins whole pages with soft breaks.
// The bound only keeps a hostile message from taking unbounded memory.
constexpr size_t k_decodedParagraphLimit = 16u << 20;
constexpr size_t k_pieceLength = 65;       // source characters per encoded line
constexpr std::int32_t k_readSize = 64 * 1024;
constexpr char k_hexDigits[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c) { return c < 32 || c == '=' || c >= 128; }

std::string EscapePiece(const char* text, size_t length) {
  std::string line;
  line.reserve(length * 3 + 1);
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (NeedsEscape(c)) {
      line += '=';
      line += k_hexDigits[c >> 4];
      line += k_hexDigits[c & 15];
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

// Where a piece of the paragraph starting at start ends: the rest when it is shorter than
// 65 characters, else before the last space among the first 65 (a space at the piece's
// own start does not count, it would make an empty piece), else after 65 characters.
size_t PieceLength(const std::string& paragraph, size_t start) {
  size_t remaining = paragraph.size() - start;
  if (remaining < k_pieceLength) return remaining;
  for (size_t i = k_pieceLength - 1; i >= 1; --i) {
    if (paragraph[start + i] == ' ') return i;
  }
  return k_pieceLength;
}

// -1 for a character that is not a hex digit (either case).
struct THexTable {
  signed char value[256];
};
constexpr THexTable MakeHexTable() {
  THexTable t{};
  for (int c = 0; c < 256; ++c) t.value[c] = -1;
  for (int d = 0; d < 10; ++d) t.value['0' + d] = static_cast<signed char>(d);
  for (int d = 0; d < 6; ++d) {
    t.value['A' + d] = static_cast<signed char>(10 + d);
    t.value['a' + d] = static_cast<signed char>(10 + d);
  }
  return t;
}
constexpr THexTable k_hex = MakeHexTable();

// Copies the text with every "=XX" (two hex digits, inside the text) replaced by its
// byte; the result is never longer than the text. A plain byte loop: it beats block
// copies on Chinese text, where almost every byte is escaped.
char* DecodeInto(const char* text, size_t length, char* out) {
  const char* end = text + length;
  while (text < end) {
    char c = *text++;
    if (c == '=' && end - text >= 2) {
      int high = k_hex.value[static_cast<unsigned char>(text[0])];
      int low = k_hex.value[static_cast<unsigned char>(text[1])];
      if ((high | low) >= 0) {
        *out++ = static_cast<char>((high << 4) | low);
        text += 2;
        continue;
      }
    }
    *out++ = c;
  }
  return out;
}

}  // namespace

void TQuotedPrintable::EncodeParagraph(const std::string& paragraph) {
  if (paragraph.empty()) {
    lines_->emplace_back();
    return;
  }
  for (size_t start = 0; start < paragraph.size();) {
    size_t length = PieceLength(paragraph, start);
    std::string line = EscapePiece(paragraph.data() + start, length);
    start += length;
    if (start < paragraph.size()) line += '=';  // soft line break
    lines_->push_back(std::move(line));
  }
}

// Paragraphs end at CR LF, at a CR or at a LF; the text after the last break, if any, is
// the last paragraph, and an empty stream is one empty paragraph.
void TQuotedPrintable::Encode() {
  stream_->Seek(0, TSeekOrigin::Beginning);
  std::vector<char> chunk(k_readSize);
  std::string paragraph;
  paragraph.reserve(k_paragraphLimit);
  bool afterCr = false;
  bool encodedAny = false;
  for (;;) {
    std::int32_t n = stream_->Read(chunk.data(), k_readSize);
    if (n <= 0) break;
    for (std::int32_t i = 0; i < n; ++i) {
      char c = chunk[static_cast<size_t>(i)];
      if (afterCr) {
        afterCr = false;
        if (c == '\n') continue;
      }
      if (c == '\r' || c == '\n') {
        EncodeParagraph(paragraph);
        paragraph.clear();
        encodedAny = true;
        afterCr = c == '\r';
        if (Abort) return;
        continue;
      }
      if (paragraph.size() == k_paragraphLimit) throw EMIMEError(codec_texts::k_qpParagraphTooLargeToEncode);
      paragraph += c;
    }
  }
  if (!paragraph.empty() || !encodedAny) EncodeParagraph(paragraph);
}

// A line ending in "=" continues on the next one; any other line (an empty one too) ends
// its paragraph with CR LF. A paragraph reaches the stream when it is complete; its text
// may hold at most 16 MiB.
void TQuotedPrintable::Decode() {
  TCodecOutput out(*stream_);
  std::vector<char> paragraph(k_paragraphLimit + 3);
  size_t used = 0;
  for (const std::string& line : *lines_) {
    bool soft = !line.empty() && line.back() == '=';
    size_t textLength = soft ? line.size() - 1 : line.size();
    if (paragraph.size() < used + textLength + 2) paragraph.resize(used + textLength + 2);
    used = static_cast<size_t>(DecodeInto(line.data(), textLength, paragraph.data() + used) - paragraph.data());
    if (used > k_decodedParagraphLimit) throw EMIMEError(codec_texts::k_qpParagraphTooLarge);
    if (!soft) {
      paragraph[used++] = '\r';
      paragraph[used++] = '\n';
      out.Append(paragraph.data(), used);
      used = 0;
    }
    if (Abort) break;
  }
  out.Append(paragraph.data(), used);
  out.Flush();
}
