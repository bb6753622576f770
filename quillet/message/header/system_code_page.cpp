// Text of a named charset in the system code page (GBK): encoded words and message
// bodies that are shown as text.
#include "platform/charset.h"
#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

namespace {

bool IsGbkFamily(const std::string& upperCharset) {
  static const char* const k_names[] = {"GB2312", "GBK",      "CP936",    "MS936", "WINDOWS-936", "X-GBK",
                                        "GB_2312-80", "EUC-CN", "X-EUC-CN", "CSGB2312", "CHINESE"};
  for (const char* name : k_names)
    if (upperCharset == name) return true;
  return false;
}

}  // namespace

// Mail programs of this region often send GB2312 text labelled ISO-8859-1 or US-ASCII;
// such text is kept rather than turned into Latin letters or "?".
std::string ToSystemCodePage(const std::string& charset, const std::string& bytes) {
  const std::string upper = gbk::UpperCase(charset);
  if (upper.find("HZ") != std::string::npos || IsGbkFamily(upper) || upper == "US-ASCII") return bytes;
  if ((upper == "ISO-8859-1" || upper == "WINDOWS-1252") && gbk::IsGb2312Text(bytes)) return bytes;
  std::string converted;
  if (platform::ConvertToGbk(charset, bytes, converted)) return converted;
  return bytes;
}
