// Charset conversion through iconv. Text goes first to UTF-32 (undecodable input becomes
// "?"), then each code point to the target ("?" where the target cannot hold it), so one
// bad byte never stops a conversion.
#include "platform/charset.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <iconv.h>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr char32_t k_replacement = U'?';
constexpr const char* k_utf32 = "UTF-32LE";
constexpr const char* k_gbk = "GBK";  // glibc's GBK is code page 936, 0x80 (euro sign) included

// One iconv descriptor for the life of a conversion.
class TIconv {
 public:
  TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~TIconv() {
    if (IsOpen()) iconv_close(cd_);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Handle() const { return cd_; }

 private:
  iconv_t cd_;
};

// MIME names glibc does not know by that name.
std::string IconvName(const std::string& charset) {
  std::string upper;
  for (char c : charset) {
    if (c == '*') break;  // a language suffix ("US-ASCII*EN")
    upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  if (upper == "X-GBK" || upper == "GB_2312-80" || upper == "X-EUC-CN") return "GBK";
  if (upper == "KS_C_5601-1987" || upper == "KS_C_5601" || upper == "X-WINDOWS-949") return "CP949";
  if (upper == "ISO-8859-8-I") return "ISO-8859-8";
  if (upper == "X-SJIS" || upper == "MS_KANJI") return "SHIFT_JIS";
  return upper;
}

// Only plain charset names reach iconv: no "//TRANSLIT"-style suffixes, no empty name.
bool IsPlainName(const std::string& name) {
  if (name.empty() || name.size() > 40) return false;
  for (char c : name) {
    bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':';
    if (!ok) return false;
  }
  return true;
}

char32_t ReadUtf32Le(const char* p) {
  const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<char32_t>(b[0]) | static_cast<char32_t>(b[1]) << 8 | static_cast<char32_t>(b[2]) << 16 |
         static_cast<char32_t>(b[3]) << 24;
}

void AppendUtf32Le(std::string& out, char32_t c) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((c >> shift) & 0xFF);
}

// The code points of the text; a byte that does not decode becomes "?" and the scan goes
// on with the next byte. False when iconv does not know the charset.
bool DecodeToCodePoints(const char* charset, const std::string& text, std::u32string& codePoints) {
  TIconv cd(k_utf32, charset);
  if (!cd.IsOpen()) return false;
  std::vector<char> buffer(4096);
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  while (inLeft > 0) {
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    std::size_t rc = iconv(cd.Handle(), &in, &inLeft, &out, &outLeft);
    int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
    for (const char* p = buffer.data(); p + 4 <= out; p += 4) codePoints += ReadUtf32Le(p);
    if (error == EILSEQ) {
      codePoints += k_replacement;
      ++in;
      --inLeft;
      iconv(cd.Handle(), nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    } else if (error == EINVAL) {  // a sequence cut off at the end
      codePoints += k_replacement;
      break;
    } else if (error != 0 && error != E2BIG) {
      codePoints += k_replacement;
      break;
    }
  }
  return true;
}

// The code points in the charset; one the charset cannot hold becomes "?".
std::string EncodeCodePoints(const char* charset, const std::u32string& codePoints) {
  TIconv cd(charset, k_utf32);
  if (!cd.IsOpen()) return std::string();
  std::string input;
  input.reserve(codePoints.size() * 4);
  for (char32_t c : codePoints) AppendUtf32Le(input, c);
  std::string result;
  std::vector<char> buffer(4096);
  char* in = &input[0];
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    std::size_t rc = iconv(cd.Handle(), &in, &inLeft, &out, &outLeft);
    int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
    result.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
    if (error == EILSEQ || (error != 0 && error != E2BIG)) {
      result += '?';
      std::size_t skip = inLeft < 4 ? inLeft : 4;
      in += skip;
      inLeft -= skip;
    }
  }
  // Ends a stateful target's shift sequence.
  char* out = buffer.data();
  std::size_t outLeft = buffer.size();
  iconv(cd.Handle(), nullptr, nullptr, &out, &outLeft);
  result.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
  return result;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool ConvertToGbk(const std::string& charset, const std::string& text, std::string& out) {
  const std::string name = IconvName(charset);
  if (!IsPlainName(name)) return false;
  std::u32string codePoints;
  if (!DecodeToCodePoints(name.c_str(), text, codePoints)) return false;
  out = EncodeCodePoints(k_gbk, codePoints);
  return true;
}

std::string GbkToUtf8(const std::string& text) {
  std::u32string codePoints;
  DecodeToCodePoints(k_gbk, text, codePoints);
  std::string result;
  result.reserve(text.size() * 3 / 2);
  for (char32_t c : codePoints) AppendUtf8(result, c);
  return result;
}

std::string Utf8ToGbk(const std::string& text) {
  std::u32string codePoints;
  DecodeToCodePoints("UTF-8", text, codePoints);
  return EncodeCodePoints(k_gbk, codePoints);
}

}  // namespace platform
