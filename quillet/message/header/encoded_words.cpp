// Encoded words (=?charset?Q?text?= and =?charset?B?text?=) in header values, with HZ
// text inside them or standing alone. Decoded text ends up in the system code page (GBK).
#include <cstddef>
#include <string_view>

#include "quillet/common/gbk.h"
#include "quillet/message/codec/base64_text.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/header/header_utils.h"

using gbk::CharLength;
using gbk::UpperCase;

namespace {

constexpr std::size_t k_maxEncodedWordLength = 75;

// ---- encoding ----

bool IsPlainQChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' || c == '*' ||
         c == '+' || c == '-' || c == '/';
}

std::string QEncode(const std::string& bytes) {
  static const char k_hex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    unsigned char b = static_cast<unsigned char>(c);
    if (IsPlainQChar(c)) out += c;
    else if (c == ' ') out += '_';
    else { out += '='; out += k_hex[b >> 4]; out += k_hex[b & 15]; }
  }
  return out;
}

// ---- decoding ----

// "_" is a space; "=" and two hex digits are that byte; anything else stands as it is.
// Raw double-byte characters, which some mailers leave in a word, are kept whole: their
// trail byte may be 0x5F, which is no "_" there.
std::string QDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (i + 1 < text.size() && gbk::IsLeadByte(static_cast<unsigned char>(c)) &&
        gbk::IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      out += c;
      out += text[++i];
      continue;
    }
    if (c == '_') { out += ' '; continue; }
    const int high = c == '=' && i + 2 < text.size() ? gbk::HexDigitValue(text[i + 1]) : -1;
    const int low = high >= 0 ? gbk::HexDigitValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
      continue;
    }
    out += c;
  }
  return out;
}

// Finds "?=" or a line break, remembering the last answer so that repeated searches over
// the same stretch of a malformed text stay linear.
class TForwardFinder {
 public:
  TForwardFinder(const std::string& text, const char* needle) : text_(text), needle_(needle) {}
  // The first occurrence at or after from (npos if none).
  std::size_t From(std::size_t from) {
    if (!(searchedFrom_ <= from && from <= found_)) {
      found_ = text_.find(needle_, from);
      searchedFrom_ = from;
    }
    return found_;
  }

 private:
  const std::string& text_;
  const char* needle_;
  std::size_t searchedFrom_ = std::string::npos;
  std::size_t found_ = 0;
};

struct TEncodedWord {
  std::size_t end = 0;  // just after the closing "?="
  std::string decoded;
};

class TWordDecoder {
 public:
  explicit TWordDecoder(const std::string& text) : text_(text), closes_(text, "?=") {}

  // Reads the encoded word that starts with the "=?" at begin; false when it is not one
  // (or its Base64 is broken, so that it is shown as it stands).
  bool Read(std::size_t begin, TEncodedWord& word) {
    std::size_t charsetEnd = begin + 2;
    while (charsetEnd < text_.size() && text_[charsetEnd] != '?' && IsCharsetChar(text_[charsetEnd])) ++charsetEnd;
    if (charsetEnd == begin + 2 || charsetEnd + 2 >= text_.size() || text_[charsetEnd] != '?' ||
        text_[charsetEnd + 2] != '?')
      return false;
    char encoding = text_[charsetEnd + 1];
    if (encoding == 'q') encoding = 'Q';
    if (encoding == 'b') encoding = 'B';
    if (encoding != 'Q' && encoding != 'B') return false;
    const std::size_t textStart = charsetEnd + 3;
    const std::size_t close = closes_.From(textStart);
    if (close == std::string::npos) return false;
    std::size_t lineBreak = FirstBreak(textStart);
    if (lineBreak < close) return false;

    std::string charset = text_.substr(begin + 2, charsetEnd - begin - 2);
    charset = charset.substr(0, charset.find('*'));  // a language suffix: "US-ASCII*EN"
    // A view, not a copy: a malformed text may offer many candidate words that share one
    // far-away "?=", and a Base64 candidate fails at its first bad character.
    const std::string_view encoded = std::string_view(text_).substr(textStart, close - textStart);
    std::string bytes;
    if (encoding == 'Q') bytes = QDecode(encoded);
    else if (!Base64Decode(encoded, bytes)) return false;
    if (UpperCase(charset).find("HZ") != std::string::npos) bytes = HZToGBText(bytes);
    word.decoded = ToSystemCodePage(charset, bytes);
    word.end = close + 2;
    return true;
  }

 private:
  static bool IsCharsetChar(char c) { return c > ' ' && c < 127; }

  std::size_t FirstBreak(std::size_t from) {
    std::size_t cr = crs_.From(from);
    std::size_t lf = lfs_.From(from);
    return cr < lf ? cr : lf;
  }

  const std::string& text_;
  TForwardFinder closes_;
  TForwardFinder crs_{text_, "\r"};
  TForwardFinder lfs_{text_, "\n"};
};

bool IsLinearWhiteSpace(const std::string& text, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i)
    if (text[i] != ' ' && text[i] != '\t' && text[i] != '\r' && text[i] != '\n') return false;
  return true;
}

}  // namespace

std::string EncodeWord(const std::string& text) {
  if (text.empty()) return std::string();
  const bool gb2312 = !HasEightBit(text) || gbk::IsGb2312Text(text);
  const std::string prefix = std::string("=?") + (gb2312 ? "GB2312" : "GBK") + "?Q?";
  const std::size_t room = k_maxEncodedWordLength - prefix.size() - 2;
  std::string result;
  std::string word;
  auto endWord = [&]() {
    if (!result.empty()) result += ' ';
    result += prefix + word + "?=";
    word.clear();
  };
  // A double-byte character is never split between two words.
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = CharLength(text, pos);
    std::string piece = QEncode(text.substr(pos, length));
    if (!word.empty() && word.size() + piece.size() > room) endWord();
    word += piece;
    pos += length;
  }
  endWord();
  return result;
}

std::string DecodeWords(const std::string& text) {
  TWordDecoder decoder(text);
  std::string out;
  bool decodedAny = false;
  bool afterWord = false;  // the text since pos follows a decoded word
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t begin = text.find("=?", pos);
    if (begin == std::string::npos) break;
    TEncodedWord word;
    if (!decoder.Read(begin, word)) {
      out.append(text, pos, begin + 2 - pos);
      pos = begin + 2;
      afterWord = false;
      continue;
    }
    // White space between two encoded words is only there to separate them.
    if (!(afterWord && IsLinearWhiteSpace(text, pos, begin))) out.append(text, pos, begin - pos);
    out += word.decoded;
    pos = word.end;
    afterWord = decodedAny = true;
  }
  if (pos < text.size()) out.append(text, pos, std::string::npos);
  if (!decodedAny && text.find("~{") != std::string::npos && text.find("~}") != std::string::npos)
    return HZToGBText(out);
  return out;
}
