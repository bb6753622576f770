// The message/partial content type: id, number and total of one fragment.
#include <cstddef>

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

namespace {

// A plain decimal number that fits an int; false otherwise.
bool ParseCount(const std::string& text, int& result) {
  if (text.empty() || text.size() > 9) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  result = value;
  return true;
}

}  // namespace

bool GetPartialInfo(const TStringList& header, std::string& id, int& number, int& total) {
  const std::string contentType = GetField(header, "Content-Type:");
  if (gbk::UpperCase(MainValue(contentType)).find("PARTIAL") == std::string::npos) return false;
  std::string partId = GetParam("id", contentType);
  // A fragment without an id cannot be put together with its siblings.
  if (partId == k_unableToGet || partId.empty()) return false;
  id = partId;
  ParseCount(GetParam("number", contentType), number);
  ParseCount(GetParam("total", contentType), total);
  return true;
}
