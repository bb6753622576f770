#include "quillet/message/codec/html_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>

#include "platform/charset.h"
#include "quillet/common/gbk.h"

// The characters the renderer looks for ("<", ">", "&", ";", quotes, white space) are all
// below 0x40, so none of them can be the trail byte of a GBK character: a plain byte scan
// never cuts a double-byte character.

namespace {

constexpr const char* k_crlf = "\r\n";
constexpr int k_maxLineEnds = 2;  // one blank line at most
constexpr std::size_t k_maxEntityName = 10;
constexpr std::size_t k_maxEntityDigits = 8;
constexpr std::uint32_t k_lastCodePoint = 0x10FFFF;
constexpr std::uint32_t k_noBreakSpace = 0xA0;

struct TNamedEntity {
  const char* name;
  std::uint32_t codePoint;
};

constexpr TNamedEntity k_entities[] = {
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},      {"apos", '\''},
    {"nbsp", 0xA0},     {"copy", 0xA9},     {"reg", 0xAE},      {"trade", 0x2122},  {"mdash", 0x2014},
    {"ndash", 0x2013},  {"hellip", 0x2026}, {"laquo", 0xAB},    {"raquo", 0xBB},    {"lsquo", 0x2018},
    {"rsquo", 0x2019},  {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"middot", 0xB7},   {"bull", 0x2022},
    {"times", 0xD7},    {"divide", 0xF7},   {"deg", 0xB0},      {"plusmn", 0xB1},   {"sect", 0xA7},
    {"yen", 0xA5},      {"pound", 0xA3},    {"cent", 0xA2},     {"euro", 0x20AC},   {"shy", 0xAD},
};

// Numeric references 128..159 name windows-1252 characters, as old mailers wrote them
// ("&#146;" for a closing quote); 0 where that code page has none.
constexpr std::uint16_t k_windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Elements whose content is never shown.
constexpr const char* k_hiddenElements[] = {"style", "script", "title"};
// Elements that stand apart as paragraphs, and those that only start a new line.
constexpr const char* k_paragraphElements[] = {"p",  "h1", "h2",    "h3", "h4", "h5", "h6", "blockquote",
                                               "pre", "table", "ul", "ol", "dl", "hr"};
constexpr const char* k_lineElements[] = {"div",     "li",     "tr",     "dt",      "dd",  "address",
                                          "section", "article", "header", "footer", "nav", "caption",
                                          "center",  "form",   "fieldset", "figure", "main", "aside"};

template <std::size_t N>
bool IsOneOf(const std::string& name, const char* const (&names)[N]) {
  for (const char* candidate : names)
    if (name == candidate) return true;
  return false;
}

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The UTF-8 bytes of a code point (at most 0x10FFFF).
std::string Utf8Of(std::uint32_t cp) {
  if (cp < 0x80) return std::string(1, static_cast<char>(cp));
  const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;  // continuation bytes
  std::string out(1, static_cast<char>(((0xFFu << (7 - extra)) & 0xFFu) | (cp >> (6 * extra))));
  for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) out += static_cast<char>(0x80u | ((cp >> shift) & 0x3Fu));
  return out;
}

// Builds the text: line ends and gaps between words are held back until the next visible
// character, so nothing trails a line and blank-line runs collapse.
class TTextBuilder {
 public:
  // At least count line ends before the next text (1: a new line, 2: a blank line).
  void AtLeastLineEnds(int count) {
    if (pendingLineEnds_ < count) pendingLineEnds_ = std::min(count, k_maxLineEnds);
  }
  void AddLineEnd() {
    if (pendingLineEnds_ < k_maxLineEnds) ++pendingLineEnds_;
  }
  // A gap (a space, or a TAB between table cells) before the next text on the same line;
  // none after a space that is there already.
  void AddGap(char gap) {
    if (pendingLineEnds_ == 0 && !text_.empty() && text_.back() != ' ' && gap_ != '\t') gap_ = gap;
  }
  void AddText(const std::string& visible) {
    if (visible.empty()) return;
    if (!text_.empty()) {
      if (pendingLineEnds_ > 0) {
        for (int i = 0; i < pendingLineEnds_; ++i) text_ += k_crlf;
      } else if (gap_ != 0) {
        text_ += gap_;
      }
    }
    pendingLineEnds_ = 0;
    gap_ = 0;
    text_ += visible;
  }
  std::string Finish() { return text_.empty() ? text_ : text_ + k_crlf; }

 private:
  std::string text_;
  int pendingLineEnds_ = 0;
  char gap_ = 0;
};

class THtmlRenderer {
 public:
  explicit THtmlRenderer(const std::string& html) : html_(html), lower_(gbk::LowerCase(html)) {}

  std::string Render() {
    while (pos_ < html_.size()) {
      const char c = html_[pos_];
      if (c == '<') Tag();
      else if (c == '&') Entity();
      else Character(c);
    }
    return out_.Finish();
  }

 private:
  void Character(char c) {
    ++pos_;
    if (IsWhite(c)) White(c);
    else if (c != '\0') out_.AddText(std::string(1, c));
  }

  void White(char c) {
    if (preDepth_ == 0) out_.AddGap(' ');
    else if (c == '\n') out_.AddLineEnd();
    else if (c != '\r') out_.AddText(std::string(1, c == '\f' ? ' ' : c));
  }

  // ---- tags ----

  void Tag() {
    if (lower_.compare(pos_, 4, "<!--") == 0) return SkipPast("-->", pos_ + 4);
    const char next = pos_ + 1 < html_.size() ? html_[pos_ + 1] : '\0';
    if (next == '!' || next == '?') return SkipPast(">", pos_ + 2);
    const bool closing = next == '/';
    const std::size_t nameStart = pos_ + (closing ? 2 : 1);
    if (nameStart >= html_.size() || !IsAsciiAlpha(html_[nameStart])) {
      Character('<');  // "a < b": text
      return;
    }
    std::size_t nameEnd = nameStart;
    while (nameEnd < html_.size() && (IsAsciiAlpha(html_[nameEnd]) || IsAsciiDigit(html_[nameEnd]))) ++nameEnd;
    const std::string name = lower_.substr(nameStart, nameEnd - nameStart);
    pos_ = TagEnd(nameEnd);
    if (!closing && IsOneOf(name, k_hiddenElements)) return SkipPast(">", CloseTagStart(name));
    Element(name, closing);
  }

  // The position after the ">" that ends a tag, stepping over quoted attribute values;
  // the end of the text when it is never closed.
  std::size_t TagEnd(std::size_t from) const {
    char quote = 0;
    for (std::size_t i = from; i < html_.size(); ++i) {
      const char c = html_[i];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        return i + 1;
      }
    }
    return html_.size();
  }

  std::size_t CloseTagStart(const std::string& name) const {
    const std::size_t close = lower_.find("</" + name, pos_);
    return close == std::string::npos ? html_.size() : close;
  }

  // Moves past the next marker at or after from; to the end when there is none.
  void SkipPast(const char* marker, std::size_t from) {
    const std::size_t found = from >= html_.size() ? std::string::npos : html_.find(marker, from);
    pos_ = found == std::string::npos ? html_.size() : found + std::strlen(marker);
  }

  void Element(const std::string& name, bool closing) {
    if (name == "br") return out_.AddLineEnd();
    if (name == "pre") preDepth_ = closing ? std::max(preDepth_ - 1, 0) : preDepth_ + 1;
    if (IsOneOf(name, k_paragraphElements)) return out_.AtLeastLineEnds(2);
    if (IsOneOf(name, k_lineElements)) {
      out_.AtLeastLineEnds(1);
      if (name == "li" && !closing) out_.AddText("* ");
      return;
    }
    if ((name == "td" || name == "th") && !closing) out_.AddGap('\t');
  }

  // ---- entities ----

  void Entity() {
    std::uint32_t codePoint = 0;
    std::size_t end = pos_ + 1;
    if (end < html_.size() && html_[end] == '#') {
      if (!NumericEntity(end + 1, codePoint, end)) return Literal();
    } else if (!NamedEntity(end, codePoint, end)) {
      return Literal();
    }
    pos_ = end;
    CodePoint(codePoint);
  }

  void Literal() {
    ++pos_;
    out_.AddText("&");
  }

  // "&#NNN;" or "&#xHH;" from the digits at from; the ";" may be missing. An out-of-range
  // number gives 0, which shows as "?".
  bool NumericEntity(std::size_t from, std::uint32_t& codePoint, std::size_t& end) const {
    const bool hex = from < html_.size() && (html_[from] == 'x' || html_[from] == 'X');
    std::size_t i = hex ? from + 1 : from;
    const std::size_t digitsStart = i;
    std::uint64_t value = 0;
    for (; i < html_.size(); ++i) {
      const int digit = hex ? gbk::HexDigitValue(html_[i]) : (IsAsciiDigit(html_[i]) ? html_[i] - '0' : -1);
      if (digit < 0) break;
      if (i - digitsStart < k_maxEntityDigits) value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
      else value = k_lastCodePoint + 1;
    }
    if (i == digitsStart) return false;
    codePoint = value > k_lastCodePoint ? 0 : static_cast<std::uint32_t>(value);
    if (codePoint >= 0x80 && codePoint < 0xA0) codePoint = k_windows1252High[codePoint - 0x80];
    end = i < html_.size() && html_[i] == ';' ? i + 1 : i;
    return true;
  }

  bool NamedEntity(std::size_t from, std::uint32_t& codePoint, std::size_t& end) const {
    std::size_t i = from;
    while (i < html_.size() && i - from <= k_maxEntityName && (IsAsciiAlpha(html_[i]) || IsAsciiDigit(html_[i]))) ++i;
    if (i == from || i >= html_.size() || html_[i] != ';') return false;
    const std::string name = html_.substr(from, i - from);  // names are case-sensitive
    for (const TNamedEntity& entity : k_entities) {
      if (name != entity.name) continue;
      codePoint = entity.codePoint;
      end = i + 1;
      return true;
    }
    return false;
  }

  void CodePoint(std::uint32_t cp) {
    if (cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r') return White(static_cast<char>(cp));
    if (cp == k_noBreakSpace) return out_.AddText(" ");
    if (cp == 0xAD) return;  // a soft hyphen shows only where a line is broken
    if (cp < 0x20 || cp == 0x7F || (cp >= 0xD800 && cp <= 0xDFFF)) return out_.AddText("?");
    if (cp < 0x80) return out_.AddText(std::string(1, static_cast<char>(cp)));
    out_.AddText(InGbk(cp));
  }

  // One conversion per distinct character: a page may repeat the same entity often.
  const std::string& InGbk(std::uint32_t cp) {
    auto known = converted_.find(cp);
    if (known != converted_.end()) return known->second;
    std::string gbkText;
    if (!platform::ConvertToGbk("UTF-8", Utf8Of(cp), gbkText) || gbkText.empty()) gbkText = "?";
    return converted_.emplace(cp, gbkText).first->second;
  }

  const std::string& html_;
  const std::string lower_;  // for tag names and end tags; the same positions as html_
  std::size_t pos_ = 0;
  int preDepth_ = 0;
  TTextBuilder out_;
  std::map<std::uint32_t, std::string> converted_;
};

}  // namespace

std::string HtmlToText(const std::string& html) { return THtmlRenderer(html).Render(); }
