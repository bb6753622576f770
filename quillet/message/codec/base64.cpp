#include <array>
#include <cstring>

#include "quillet/message/codec/codec_block_reader.h"
#include "quillet/common/line_reader.h"
#include "quillet/message/codec/codec_output.h"
#include "quillet/message/codec/codecs.h"

namespace {

constexpr char k_alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::int32_t k_lineBytes = 57;  // one 76-character line

// Character classes of the decoder besides the 64 values.
constexpr std::uint8_t k_pad = 64;       // "=": counts as 0, ends the group's data
constexpr std::uint8_t k_skip = 65;      // LF: a line break inside the line is ignored
constexpr std::uint8_t k_invalid = 255;
// Set in the placed tables for every character the fast path leaves to the slow one.
constexpr std::uint32_t k_special = 0x80000000u;

// The four characters of a group, each looked up in its own table, OR together into the
// group's three bytes in memory order (byte 0 in the low bits), so one 4-byte store
// writes them on a little-endian machine.
struct TDecodeTables {
  std::uint8_t value[256];
  std::uint32_t placed[4][256];
};

constexpr std::uint32_t PlaceInGroup(std::uint32_t v, int k) {
  std::uint32_t bits = v << (18 - 6 * k);  // the group's 24 bits, first byte highest
  return ((bits >> 16) & 0xFF) | (bits & 0xFF00) | ((bits & 0xFF) << 16);
}

constexpr TDecodeTables MakeDecodeTables() {
  TDecodeTables t{};
  for (int c = 0; c < 256; ++c) t.value[c] = k_invalid;
  for (int i = 0; i < 64; ++i) t.value[static_cast<unsigned char>(k_alphabet[i])] = static_cast<std::uint8_t>(i);
  t.value[static_cast<unsigned char>('=')] = k_pad;
  // Blanks and a bare LF carry no data: mailers leave trailing blanks on encoded lines,
  // and such a line must not make a whole message unreadable.
  t.value[static_cast<unsigned char>('\n')] = k_skip;
  t.value[static_cast<unsigned char>(' ')] = k_skip;
  t.value[static_cast<unsigned char>('\t')] = k_skip;
  for (int k = 0; k < 4; ++k) {
    for (int c = 0; c < 256; ++c) {
      std::uint8_t v = t.value[c];
      t.placed[k][c] = v < 64 ? PlaceInGroup(v, k) : k_special;
    }
  }
  return t;
}

constexpr TDecodeTables k_tables = MakeDecodeTables();

inline std::uint32_t DecodeGroup(const unsigned char* p) {
  return k_tables.placed[0][p[0]] | k_tables.placed[1][p[1]] | k_tables.placed[2][p[2]] | k_tables.placed[3][p[3]];
}

// Writes the group's three bytes; may write one byte more, which the caller's reserve
// leaves room for and the next group overwrites.
inline void StoreGroup(std::uint32_t w, char* out) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::memcpy(out, &w, 4);
#else
  out[0] = static_cast<char>(w);
  out[1] = static_cast<char>(w >> 8);
  out[2] = static_cast<char>(w >> 16);
#endif
}


// Encodes up to 57 bytes as one line: four characters per three bytes, a partial last
// group padded with "=".
char* EncodeLine(const unsigned char* in, std::int32_t n, char* out) {
  std::int32_t i = 0;
  for (; i + 3 <= n; i += 3) {
    std::uint32_t v = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
    out[0] = k_alphabet[v >> 18];
    out[1] = k_alphabet[(v >> 12) & 63];
    out[2] = k_alphabet[(v >> 6) & 63];
    out[3] = k_alphabet[v & 63];
    out += 4;
  }
  if (i < n) {
    std::uint32_t v = in[i] << 16;
    if (i + 1 < n) v |= in[i + 1] << 8;
    out[0] = k_alphabet[v >> 18];
    out[1] = k_alphabet[(v >> 12) & 63];
    out[2] = i + 1 < n ? k_alphabet[(v >> 6) & 63] : '=';
    out[3] = '=';
    out += 4;
  }
  *out++ = '\r';
  *out++ = '\n';
  return out;
}

// Decodes the characters of one line, fed in one or more pieces. Each group of four
// characters gives as many bytes as its data characters before a "=" allow (4 give 3, 3
// give 2, 2 give 1); a partial group at the end of the line is treated the same way, so
// no odd length or stray "=" can produce bytes that were not encoded.
class TBase64LineDecoder {
 public:
  // out needs room for length / 4 * 3 + 4 bytes. Throws EUUInvalidCharacter.
  char* Feed(const unsigned char* p, size_t length, char* out) {
    const unsigned char* end = p + length;
    while (p < end) {
      if (chars_ == 0) {
        // The hot loop: whole groups of four plain alphabet characters, two at a time.
        while (end - p >= 8) {
          std::uint32_t a = DecodeGroup(p), b = DecodeGroup(p + 4);
          if ((a | b) & k_special) break;
          StoreGroup(a, out);
          StoreGroup(b, out + 3);
          out += 6;
          p += 8;
        }
        while (end - p >= 4) {
          std::uint32_t w = DecodeGroup(p);
          if (w & k_special) break;
          StoreGroup(w, out);
          out += 3;
          p += 4;
        }
        if (p == end) break;
      }
      out = Char(*p++, out);
    }
    return out;
  }

  char* EndLine(char* out) { return chars_ > 0 ? EmitGroup(out) : out; }

 private:
  char* Char(unsigned char c, char* out) {
    std::uint8_t v = k_tables.value[c];
    if (v == k_skip) return out;
    if (v == k_invalid) throw EUUInvalidCharacter();
    if (v == k_pad) {
      padded_ = true;
    } else if (!padded_) {
      bits_ |= static_cast<std::uint32_t>(v) << (18 - 6 * data_);
      ++data_;
    }
    return ++chars_ == 4 ? EmitGroup(out) : out;
  }

  char* EmitGroup(char* out) {
    int bytes = data_ > 0 ? data_ - 1 : 0;
    for (int i = 0; i < bytes; ++i) *out++ = static_cast<char>(bits_ >> (16 - 8 * i));
    bits_ = 0;
    chars_ = data_ = 0;
    padded_ = false;
    return out;
  }

  std::uint32_t bits_ = 0;
  int chars_ = 0;  // characters of the current group, "=" included
  int data_ = 0;   // alphabet characters before the group's first "="
  bool padded_ = false;
};

}  // namespace

void TBase64::Encode() {
  Run(this, codec_texts::k_base64EncodeMisuse, TCodecMode::Encode, [this] {
    Abort = false;
    EncodeLines();
  });
}

void TBase64::EncodeLines() {
  std::int64_t total = input_->Size() - offset_;
  TCodecBlockReader reader(*input_, offset_, k_lineBytes);
  TCodecOutput out(*output_);
  StartProgress(total);
  for (;;) {
    const unsigned char* block;
    std::int32_t n = reader.Next(block);
    out.Commit(EncodeLine(block, n, out.Reserve(80)));
    LineDone(this, reader.Consumed(), out);
    if (n < k_lineBytes || Abort) break;
  }
  out.Flush();
}

void TBase64::Decode() {
  Run(this, codec_texts::k_base64DecodeMisuse, TCodecMode::Decode, [this] { DecodeLines(); });
}

// Lines up to an empty one; after each line the job goes on while more than one byte of
// the range is left and no one asked to abort.
void TBase64::DecodeLines() {
  TLineReader reader(*input_, offset_, size_);
  TCodecOutput out(*output_);
  TBase64LineDecoder decoder;
  StartProgress(size_);
  TLinePiece piece;
  while (reader.Next(piece)) {
    if (piece.last && piece.length == 0 && piece.first) break;
    out.MarkLine();
    try {
      for (;;) {
        const unsigned char* chars = reinterpret_cast<const unsigned char*>(piece.data);
        out.Commit(decoder.Feed(chars, piece.length, out.Reserve(piece.length / 4 * 3 + 4)));
        if (piece.last || !reader.Next(piece)) break;
      }
      out.Commit(decoder.EndLine(out.Reserve(3)));
    } catch (...) {
      out.DropLine();  // a line with a bad character writes nothing
      throw;
    }
    LineDone(this, reader.Position() - offset_, out);
    if (reader.Position() >= reader.End() - 1 || Abort) break;
  }
  out.Flush();
}
