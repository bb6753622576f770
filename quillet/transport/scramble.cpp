#include "quillet/transport/scramble.h"

#include <random>

#include "quillet/common/exceptions.h"
#include "quillet/common/gbk.h"
#include "quillet/transport/transport_texts.h"

namespace {

constexpr int k_seedCount = 256;

// Key bytes are used cyclically from the first.
class TKeyCycle {
 public:
  explicit TKeyCycle(const std::string& key) : key_(key.empty() ? std::string(k_defaultScrambleKey) : key) {}
  unsigned Sum() const {
    unsigned sum = 0;
    for (char c : key_) sum += static_cast<unsigned char>(c);
    return sum % 255;
  }
  unsigned Next() {
    unsigned c = static_cast<unsigned char>(key_[pos_]);
    pos_ = (pos_ + 1) % key_.size();
    return c;
  }

 private:
  std::string key_;
  std::size_t pos_ = 0;
};

void AppendHex(std::string& out, unsigned value) {
  static const char k_digits[] = "0123456789ABCDEF";
  out += k_digits[(value >> 4) & 0xF];
  out += k_digits[value & 0xF];
}

// The value of the hex pair at pos, -1 when it is not one.
int HexPair(const std::string& text, std::size_t pos) {
  if (pos + 1 >= text.size()) return -1;
  const int high = gbk::HexDigitValue(text[pos]), low = gbk::HexDigitValue(text[pos + 1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

std::string Descramble(const std::string& text, const std::string& key) {
  TKeyCycle cycle(key);
  const int first = HexPair(text, 0);
  if (text.size() % 2 != 0 || first < 0) return std::string();
  unsigned prev = cycle.Sum() ^ static_cast<unsigned>(first);
  std::string plain;
  for (std::size_t pos = 2; pos < text.size(); pos += 2) {
    const int a = HexPair(text, pos);
    if (a < 0) return std::string();
    const unsigned b = static_cast<unsigned>(a) ^ cycle.Next();
    plain += static_cast<char>(prev < b ? b - prev : b + 255 - prev);
    prev = static_cast<unsigned>(a);
  }
  return plain;
}

}  // namespace

std::string ScrambleWithSeed(const std::string& text, const std::string& key, unsigned char seed) {
  if (text.empty()) return std::string();
  TKeyCycle cycle(key);
  std::string out;
  AppendHex(out, cycle.Sum() ^ seed);
  unsigned prev = seed;
  for (char c : text) {
    const unsigned b = ((static_cast<unsigned char>(c) + prev) % 255) ^ cycle.Next();
    AppendHex(out, b);
    prev = b;
  }
  return out;
}

// The decoding cannot tell a byte 0xFF after an output byte 0xFF, nor a NUL byte after any
// other, from another byte; a seed whose chain meets one is passed over.
std::string Scramble(const std::string& text, const std::string& key, bool encode) {
  if (text.empty()) return std::string();
  if (!encode) return Descramble(text, key);
  std::random_device device;
  const int start = std::uniform_int_distribution<int>(0, k_seedCount - 1)(device);
  for (int i = 0; i < k_seedCount; ++i) {
    std::string scrambled = ScrambleWithSeed(text, key, static_cast<unsigned char>((start + i) % k_seedCount));
    if (Descramble(scrambled, key) == text) return scrambled;
  }
  throw Exception(k_textCannotScramble);
}
