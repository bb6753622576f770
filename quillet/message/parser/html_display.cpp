#include "quillet/message/parser/html_display.h"

#include <string>

#include "quillet/common/gbk.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/codec/html_text.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/attachment_names.h"

namespace msgdecode {

namespace {

constexpr std::size_t k_metaSearchLength = 4096;  // a charset declaration sits in the head

bool IsCharsetNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':';
}

// The charset that a <meta> element declares ("charset=utf-8", also inside content="...");
// empty when the head declares none.
std::string DeclaredCharset(const std::string& html) {
  const std::string head = gbk::LowerCase(html.substr(0, k_metaSearchLength));
  std::size_t pos = head.find("charset=");
  if (pos == std::string::npos) return std::string();
  pos += 8;
  while (pos < head.size() && (head[pos] == '"' || head[pos] == '\'' || head[pos] == ' ')) ++pos;
  std::size_t end = pos;
  while (end < head.size() && IsCharsetNameChar(head[end])) ++end;
  return head.substr(pos, end - pos);
}

std::string CharsetOf(const TMsgSection& section, const std::string& html) {
  return section.Charset == k_unableToGet || section.Charset.empty() ? DeclaredCharset(html) : section.Charset;
}

}  // namespace

bool IsPlainTextBody(const TMsgSection& section) {
  if (!section.FileName.empty() || section.Kind == TTransferKind::UUEncode) return false;
  const std::string type = MainValue(section.ContentType);
  return type.empty() || (gbk::StartsWithNoCase(type, "text/") && !gbk::EqualNoCase(type, "text/html"));
}

bool IsHtmlBody(const TMsgSection& section) {
  return section.Kind != TTransferKind::UUEncode && gbk::EqualNoCase(MainValue(section.ContentType), "text/html") &&
         section.FileName == SafeAttachmentName(FileNameForType(std::string(), "text/html"));
}

void AppendHtmlAsText(TStream& source, const TMsgSection& section, TStream& out) {
  TMemoryStream decoded;
  try {
    SaveSectionToStream(source, section, decoded);
  } catch (const Exception&) {
    return;
  }
  const std::string& html = decoded.Bytes();
  const std::string text = HtmlToText(ToSystemCodePage(CharsetOf(section, html), html));
  if (!text.empty()) out.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

}  // namespace msgdecode
