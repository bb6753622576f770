#include <algorithm>
#include <cstring>

#include "quillet/common/gbk.h"
#include "quillet/message/codec/codec_block_reader.h"
#include "quillet/common/line_reader.h"
#include "quillet/message/codec/codec_output.h"
#include "quillet/message/codec/codecs.h"

namespace {

constexpr std::int32_t k_lineBytes = 45;
constexpr size_t k_longestLine = 256;
constexpr int k_groupsPerLine = 21;  // enough for the largest count, 63 bytes

// 0 is the backquote, 1 to 63 are "!" to "_".
char UUChar(unsigned value) { return value == 0 ? '`' : static_cast<char>(32 + value); }

// Space and backquote both mean 0.
unsigned UUValue(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c) - 32) & 63; }

// The count character, then 60 characters for a full line, else n * 4 / 3 + 1 characters
// (no padding to a multiple of four).
char* EncodeLine(const unsigned char* in, std::int32_t n, char* out) {
  unsigned char padded[k_lineBytes + 3] = {};
  std::memcpy(padded, in, static_cast<size_t>(n));
  std::int32_t chars = n == k_lineBytes ? 60 : n * 4 / 3 + 1;
  *out++ = UUChar(static_cast<unsigned>(n));
  for (std::int32_t i = 0; i < chars; ++i) {
    const unsigned char* group = padded + (i / 4) * 3;
    std::uint32_t v = (group[0] << 16) | (group[1] << 8) | group[2];
    *out++ = UUChar((v >> (18 - 6 * (i % 4))) & 63);
  }
  *out++ = '\r';
  *out++ = '\n';
  return out;
}

// Writes the count bytes the line announces; characters missing at the line's end (a
// transport may strip trailing spaces) count as 0.
char* DecodeLine(const char* line, size_t length, unsigned count, char* out) {
  constexpr size_t k_values = k_groupsPerLine * 4;
  unsigned values[k_values] = {};
  size_t available = std::min(length - 1, k_values);  // after the count character
  for (size_t i = 0; i < available; ++i) values[i] = UUValue(line[1 + i]);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned* v = values + (i / 3) * 4;
    switch (i % 3) {
      case 0: *out++ = static_cast<char>((v[0] << 2) | (v[1] >> 4)); break;
      case 1: *out++ = static_cast<char>(((v[1] & 15) << 4) | (v[2] >> 2)); break;
      default: *out++ = static_cast<char>(((v[2] & 3) << 6) | v[3]); break;
    }
  }
  return out;
}

bool StartsWithBegin(const TLinePiece& piece) {
  static const char k_begin[] = "begin";
  if (piece.length < 5) return false;
  for (size_t i = 0; i < 5; ++i) {
    if (gbk::AsciiLower(piece.data[i]) != k_begin[i]) return false;
  }
  return true;
}

}  // namespace

void TUUCode::Encode() {
  Run(this, codec_texts::k_uuEncodeMisuse, TCodecMode::Encode, [this] { EncodeLines(); });
}

void TUUCode::EncodeLines() {
  std::int64_t total = input_->Size() - offset_;
  TCodecBlockReader reader(*input_, offset_, k_lineBytes);
  TCodecOutput out(*output_);
  StartProgress(total);
  std::int32_t n;
  do {
    const unsigned char* block;
    n = reader.Next(block);
    out.Commit(EncodeLine(block, n, out.Reserve(70)));
    LineDone(this, reader.Consumed(), out);
  } while (n == k_lineBytes && !Abort);
  // An empty last chunk wrote "``", which closes the data already.
  if (n > 0) out.Append("`\r\n", 3);
  out.Flush();
}

// Decoding takes any mode.
void TUUCode::Decode() {
  Run(this, nullptr, TCodecMode::Decode, [this] { DecodeLines(); });
}

void TUUCode::DecodeLines() {
  TLineReader reader(*input_, offset_, size_);
  TCodecOutput out(*output_);
  StartProgress(size_);
  TLinePiece piece;
  bool firstLine = true;
  while (reader.Next(piece)) {
    if (firstLine && StartsWithBegin(piece)) {
      firstLine = false;
      while (!piece.last && reader.Next(piece)) {
      }
      continue;
    }
    firstLine = false;
    if (!piece.last) throw Exception(codec_texts::k_uuInvalidFormat);  // longer than the reader's buffer
    if (piece.length == 0 || (piece.length == 3 && std::memcmp(piece.data, "end", 3) == 0)) break;
    unsigned count = UUValue(piece.data[0]);
    if (count == 0) break;  // also the line of a single backquote
    if (piece.length > k_longestLine) throw Exception(codec_texts::k_uuInvalidFormat);
    out.Commit(DecodeLine(piece.data, piece.length, count, out.Reserve(count)));
    LineDone(this, reader.Position() - offset_, out);
    if (reader.Position() >= reader.End() - 1 || Abort) break;
  }
  out.Flush();
}

// "begin " (any case), more than ten characters in all, and a next line whose length fits
// its count character: exactly for a full-length line, within three for a shorter one.
bool IsUUBeginLine(const std::string& line, const std::string& nextLine, std::string& fileName) {
  if (line.size() <= 10 || nextLine.empty()) return false;
  TLinePiece head{line.data(), line.size(), true, true};
  if (!StartsWithBegin(head) || line[5] != ' ') return false;
  std::int64_t expected = UUValue(nextLine[0]) * 4 / 3 + 1;
  std::int64_t length = static_cast<std::int64_t>(nextLine.size());
  if (length > 59 ? length != expected : (length > expected ? length - expected : expected - length) >= 4) return false;
  size_t name = 6;
  while (name < line.size() && line[name] >= '0' && line[name] <= '9') ++name;
  if (name < line.size() && line[name] == ' ') ++name;
  fileName = line.substr(name);
  return true;
}
