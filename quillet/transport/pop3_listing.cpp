#include "quillet/transport/pop3_listing.h"

#include <algorithm>

#include "quillet/common/gbk.h"

#include "quillet/transport/mail_base.h"
#include "quillet/transport/transport_texts.h"

namespace {

constexpr std::size_t k_maxDigits = 9;  // fits 32 bits

// The decimal number the whole text is; false when it is not one.
bool DecimalValue(const std::string& text, std::int32_t& value) {
  if (text.empty() || text.size() > k_maxDigits) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// The text after the first blank, up to the next blank; empty without a blank.
std::string SecondWord(const std::string& line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string::npos) return std::string();
  const std::size_t end = line.find(' ', blank + 1);
  return line.substr(blank + 1, end == std::string::npos ? std::string::npos : end - blank - 1);
}

}  // namespace

bool ParseStatReply(const std::string& line, std::int32_t& count, std::int32_t& totalSize) {
  const std::string text = WithoutLineEnd(line);
  const std::size_t first = text.find(' ');
  if (first == std::string::npos) return false;
  const std::size_t second = text.find(' ', first + 1);
  if (!DecimalValue(text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1), count))
    return false;
  std::string size = second == std::string::npos ? std::string() : text.substr(second + 1);
  while (!size.empty() && (size.back() < '0' || size.back() > '9')) size.pop_back();
  if (!DecimalValue(size, totalSize)) totalSize = 0;
  return true;
}

TStringList ListingLines(const std::string& block) {
  TStringList lines = SplitLines(block);
  if (lines.size() > 1) {
    lines.erase(lines.begin());
    lines.pop_back();
  }
  return lines;
}

TMessageIds UidlEntries(const TStringList& lines) {
  TMessageIds ids;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t blank = lines[i].find(' ');
    const std::string id = blank == std::string::npos ? std::string() : lines[i].substr(blank + 1);
    ids.push_back({id, static_cast<std::int32_t>(i + 1)});
  }
  return ids;
}

std::vector<std::int32_t> ListSizes(const TStringList& lines) {
  std::vector<std::int32_t> sizes;
  for (const std::string& line : lines) {
    std::int32_t size = 0;
    if (!DecimalValue(SecondWord(line), size)) throw EMailError(k_textListError + line);
    sizes.push_back(size);
  }
  return sizes;
}

const TMessageId* FindByNumber(const TMessageIds& ids, std::int32_t number) {
  auto at = std::lower_bound(ids.begin(), ids.end(), number,
                             [](const TMessageId& id, std::int32_t n) { return id.Number < n; });
  return at != ids.end() && at->Number == number ? &*at : nullptr;
}

bool IsPositive(const std::string& reply) { return !reply.empty() && reply[0] == '+'; }

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

std::string ApopTimestamp(const std::string& greeting) {
  for (std::size_t open = greeting.find('<'); open != std::string::npos; open = greeting.find('<', open + 1)) {
    const std::size_t close = greeting.find('>', open);
    if (close == std::string::npos) break;
    const std::string stamp = greeting.substr(open, close - open + 1);
    if (stamp.find('@') != std::string::npos && stamp.find_first_of(" \t\r\n<", 1) == std::string::npos) return stamp;
  }
  return std::string();
}

bool OffersStls(const TStringList& capabilities) {
  for (const std::string& line : capabilities)
    if (gbk::EqualNoCase(line.substr(0, line.find(' ')), "STLS")) return true;
  return false;
}
