#include "quillet/frame/message_find.h"

#include "quillet/common/gbk.h"

namespace {

// ASCII letters lowered, double-byte characters kept; `starts` marks character starts.
std::string Folded(const std::string& text, std::vector<bool>* starts) {
  std::string folded(text);
  if (starts) starts->assign(text.size(), false);
  for (std::size_t i = 0; i < text.size(); i = gbk::NextChar(text, i)) {
    if (starts) (*starts)[i] = true;
    if (gbk::CharLength(text, i) == 1) folded[i] = gbk::AsciiLower(text[i]);
  }
  return folded;
}

bool Holds(const std::string& text, const std::string& needle, bool caseSensitive) {
  std::vector<bool> starts;
  const std::string folded = Folded(text, &starts);
  const std::string& hay = caseSensitive ? text : folded;
  const std::string want = caseSensitive ? needle : Folded(needle, nullptr);
  for (std::size_t at = hay.find(want); at != std::string::npos; at = hay.find(want, at + 1))
    if (starts[at]) return true;
  return false;
}

std::string HeaderPart(const std::string& text) {
  const std::size_t end = text.find("\r\n\r\n");
  return end == std::string::npos ? text : text.substr(0, end + 2);
}

}  // namespace

bool MessageMatches(const std::string& messageText, const TMailHead& head, const TFindOptions& options) {
  if (options.text.empty()) return false;
  const std::string searched = head.Correspondent + "\n" + head.Subject + "\n" +
                               (options.headersOnly ? HeaderPart(messageText) : messageText);
  return Holds(searched, options.text, options.caseSensitive);
}

int TMessageFinder::FindNext(TMailBox& box, const std::vector<const TMailHead*>& rows, int from) const {
  if (!query_) return -1;
  for (int row = from + 1; row >= 0 && row < static_cast<int>(rows.size()); ++row) {
    TMemoryStream text;
    const TMailHead& head = *rows[static_cast<std::size_t>(row)];
    if (box.ReadMessage(head.Id, text, true) && MessageMatches(text.Bytes(), head, *query_)) return row;
  }
  return -1;
}
