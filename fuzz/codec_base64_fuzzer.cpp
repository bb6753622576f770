// Decodes the fuzzed bytes as Base64 text and compares with a plain byte-by-byte decoder
// of the same line rules; encodes the bytes and checks that decoding gives them back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/message/codec/codecs.h"

namespace {

int Value(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// Lines end at CR (with a following LF); an empty line ends; LF inside a line is skipped;
// each group of four gives one byte less than its data characters before a "=". False on
// an invalid character, with out holding the lines before it.
bool PlainDecode(const std::string& in, std::string& out) {
  size_t pos = 0, n = in.size();
  while (pos < n) {
    size_t cr = in.find('\r', pos);
    size_t lineEnd = cr == std::string::npos ? n : cr;
    size_t next = cr == std::string::npos ? n : cr + 1;
    if (next < n && cr != std::string::npos && in[next] == '\n') ++next;
    if (lineEnd == pos) break;
    std::string line;
    int chars = 0, data = 0;
    bool padded = false;
    std::uint32_t bits = 0;
    auto emit = [&] {
      for (int i = 0; i + 1 < data; ++i) line += static_cast<char>(bits >> (16 - 8 * i));
      chars = data = 0;
      padded = false;
      bits = 0;
    };
    for (size_t i = pos; i < lineEnd; ++i) {
      unsigned char c = static_cast<unsigned char>(in[i]);
      if (c == '\n' || c == ' ' || c == '\t') continue;
      int v = Value(c);
      if (c == '=') {
        padded = true;
      } else if (v < 0) {
        return false;
      } else if (!padded) {
        bits |= static_cast<std::uint32_t>(v) << (18 - 6 * data++);
      }
      if (++chars == 4) emit();
    }
    if (chars > 0) emit();
    out += line;
    pos = next;
    if (pos + 1 >= n) break;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);

  TMemoryStream text(input), decoded;
  TBase64 decoder(&text, TCodecMode::Decode, &decoded, text.Size(), 0);
  bool valid = true;
  try {
    decoder.Decode();
  } catch (const EUUInvalidCharacter&) {
    valid = false;
  }
  std::string expected;
  bool expectedValid = PlainDecode(input, expected);
  if (valid != expectedValid || decoded.Bytes() != expected) std::abort();

  TMemoryStream bytes(input), encoded, back;
  TBase64 encoder(&bytes, TCodecMode::Encode, &encoded, bytes.Size(), 0);
  encoder.Encode();
  encoded.SetPosition(0);
  TBase64 redecoder(&encoded, TCodecMode::Decode, &back, encoded.Size(), 0);
  redecoder.Decode();
  if (back.Bytes() != input) std::abort();
  return 0;
}
