// Address lists ("Name" <box@host>, box@host (Name), ...) taken apart into items, names
// and bare addresses. Commas and angle brackets inside double quotes belong to the name.
#include <cstddef>

#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

using gbk::CharLength;
using header_text::ClosingQuote;
using header_text::FindOutsideQuotes;

namespace {

constexpr std::size_t k_maxJoinedLength = 255;

// The quoted string between open and close with its backslash escapes resolved.
std::string Unquote(const std::string& text, std::size_t open, std::size_t close) {
  std::string result;
  std::size_t pos = open + 1;
  while (pos < close) {
    if (text[pos] == '\\' && pos + 1 < close) ++pos;
    std::size_t length = CharLength(text, pos);
    result.append(text, pos, length);
    pos += length;
  }
  return result;
}

// The "<...>" part: lt at its "<" (outside quotes), gt at the ">" after it.
bool FindAngleAddress(const std::string& text, std::size_t& lt, std::size_t& gt) {
  lt = FindOutsideQuotes(text, '<');
  if (lt == std::string::npos) return false;
  gt = text.find('>', lt + 1);
  return gt != std::string::npos;
}

// The ")" that balances the "(" at open (nested comments included); npos if none.
std::size_t MatchingParenthesis(const std::string& text, std::size_t open) {
  int depth = 0;
  for (std::size_t pos = open; pos < text.size(); pos += CharLength(text, pos)) {
    if (text[pos] == '(') ++depth;
    else if (text[pos] == ')' && --depth == 0) return pos;
  }
  return std::string::npos;
}

// The first "(...)" outside quotes: open at "(", close at the ")" that balances it.
bool FindComment(const std::string& text, std::size_t& open, std::size_t& close) {
  open = FindOutsideQuotes(text, '(');
  if (open == std::string::npos) return false;
  close = MatchingParenthesis(text, open);
  return close != std::string::npos;
}

// A display name as written: a leading quoted string loses its quotes, then a leading
// comment loses its parentheses.
std::string UnwrapName(std::string name) {
  if (!name.empty() && name[0] == '"') {
    std::size_t close = ClosingQuote(name, 0);
    if (close != std::string::npos) name = Trim(Unquote(name, 0, close) + name.substr(close + 1));
    else name = Trim(name.substr(1));
  }
  std::size_t open, close;
  if (!name.empty() && name[0] == '(' && FindComment(name, open, close))
    name = Trim(name.substr(1, close - 1) + name.substr(close + 1));
  return name;
}

void AppendJoined(std::string& joined, const std::string& piece) {
  if (piece.empty()) return;
  if (!joined.empty()) joined += ", ";
  joined += piece;
}

}  // namespace

void SplitCommaList(const std::string& text, TStringList& items) {
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = FindOutsideQuotes(text, ',', start);
    std::string item = Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!item.empty()) items.push_back(item);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

std::string FirstAddressItem(std::string& listText) {
  std::size_t comma = FindOutsideQuotes(listText, ',');
  if (comma == std::string::npos) {
    std::string item = Trim(listText);
    listText.clear();
    return item;
  }
  std::string item = Trim(listText.substr(0, comma));
  listText = Trim(listText.substr(comma + 1));
  return item;
}

std::string DisplayNameOf(const std::string& item) {
  const std::string text = Trim(item);
  std::size_t open, close;
  if (FindAngleAddress(text, open, close)) {
    std::string address = Trim(text.substr(open + 1, close - open - 1));
    std::string name = UnwrapName(Trim(text.substr(0, open) + text.substr(close + 1)));
    return name.empty() ? address : name;
  }
  if (FindComment(text, open, close)) {
    std::string comment = Trim(text.substr(open + 1, close - open - 1));
    if (!comment.empty()) return comment;
  }
  return text;
}

// Without angle brackets the address is what is left when comments and quoted parts
// are taken out. One pass: a comment that never closes ends the search for comments, a
// quote that never closes drops the rest.
std::string AddressOf(const std::string& item) {
  const std::string text = Trim(item);
  std::size_t open, close;
  if (FindAngleAddress(text, open, close)) return Trim(text.substr(open + 1, close - open - 1));
  std::string address;
  bool commentsClosed = true;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == '"') {
      close = ClosingQuote(text, pos);
      if (close == std::string::npos) break;
      pos = close + 1;
      continue;
    }
    if (text[pos] == '(' && commentsClosed) {
      close = MatchingParenthesis(text, pos);
      if (close != std::string::npos) {
        pos = close + 1;
        continue;
      }
      commentsClosed = false;
    }
    std::size_t length = CharLength(text, pos);
    address.append(text, pos, length);
    pos += length;
  }
  return Trim(address);
}

void SplitAddresses(const std::string& listText, std::string& addresses, std::string& names) {
  std::string allAddresses, allNames;
  std::size_t start = 0;
  // Items past the length limit of both texts cannot show, so the scan stops there.
  while (start < listText.size() &&
         (allAddresses.size() <= k_maxJoinedLength || allNames.size() <= k_maxJoinedLength)) {
    std::size_t comma = FindOutsideQuotes(listText, ',', start);
    std::size_t end = comma == std::string::npos ? listText.size() : comma;
    const std::string item = Trim(listText.substr(start, end - start));
    start = end + 1;
    if (item.empty()) continue;
    AppendJoined(allAddresses, AddressOf(item));
    AppendJoined(allNames, DisplayNameOf(item));
  }
  addresses = gbk::Cut(allAddresses, k_maxJoinedLength);
  names = gbk::Cut(allNames, k_maxJoinedLength);
}

TEnvelope ParseEnvelope(const TStringList& header) {
  TEnvelope envelope;
  envelope.From = DecodeWords(GetField(header, "From:"));
  envelope.Sender = DecodeWords(GetField(header, "Sender:"));
  envelope.ReplyTo = DecodeWords(GetField(header, "Reply-To:"));
  GetFieldValues(header, "To:", envelope.To);
  GetFieldValues(header, "Cc:", envelope.Cc);
  return envelope;
}
