#include "quillet/store/assistant/one_action.h"

#include <array>
#include <vector>

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

namespace {

// The character boundaries of the text, its end included.
std::vector<bool> CharBoundaries(const std::string& text) {
  std::vector<bool> boundary(text.size() + 1, false);
  for (std::size_t pos = 0; pos < text.size(); pos = gbk::NextChar(text, pos)) boundary[pos] = true;
  boundary[text.size()] = true;
  return boundary;
}

}  // namespace

bool ContainsNoCase(const std::string& value, const std::string& condition) {
  if (condition.size() > value.size()) return false;
  const std::vector<bool> boundary = CharBoundaries(value);
  for (std::size_t pos = 0; pos + condition.size() <= value.size(); ++pos) {
    if (!boundary[pos] || !boundary[pos + condition.size()]) continue;
    if (gbk::EqualNoCase(value.substr(pos, condition.size()), condition)) return true;
  }
  return false;
}

bool TOneAction::Matches(const TStringList& headerLines) const {
  if (!IsEnabled()) return false;
  const std::array<std::pair<const char*, const std::string*>, 4> conditions{{
      {"From:", &from}, {"To:", &to}, {"Cc:", &cc}, {"Subject:", &subject}}};
  bool any = false;
  for (const auto& [fieldName, condition] : conditions) {
    if (condition->empty()) continue;
    any = true;
    if (!ContainsNoCase(DecodeWords(GetField(headerLines, fieldName)), *condition)) return false;
  }
  return any;
}
