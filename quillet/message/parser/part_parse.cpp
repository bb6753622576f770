// Parsing one body part: its header, then either a nested multipart or one section.
#include <string>

#include "quillet/message/parser/attachment_names.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/parser/header_block.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/header/mime_params.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/msg_errors.h"

using namespace msgdecode;

namespace {

int KindOfEncoding(const std::string& transferEncoding) {
  std::string value = gbk::UpperCase(MainValue(transferEncoding));
  if (value == "BASE64") return TMsgSection::kBase64;
  if (value == "QUOTED-PRINTABLE") return TMsgSection::kQuotedPrintable;
  return TMsgSection::kNone;  // 7bit, 8bit, binary, missing
}

std::string WithoutAngles(std::string id) {
  id = Trim(id);
  if (id.size() >= 2 && id.front() == '<' && id.back() == '>') id = id.substr(1, id.size() - 2);
  return id;
}

// The name parameter of Content-Type, replaced by the filename parameter of
// Content-Disposition when that has one; encoded words decoded, then the file-name part
// taken and completed for the type. Decoding comes first: the Base64 text of an encoded
// word may hold a "/".
std::string FileNameOfPart(const TStringList& partHeader, const std::string& contentTypeField,
                           const std::string& contentType) {
  std::string name = GetMimeParamText("name", contentTypeField);
  if (name == k_unableToGet) name.clear();
  std::string disposition = GetField(partHeader, "Content-Disposition");
  if (!disposition.empty()) {
    std::string fileName = GetMimeParamText("filename", disposition);
    if (fileName != k_unableToGet && !fileName.empty()) name = fileName;
  }
  return SafeAttachmentName(FileNameForType(DecodeWords(name), contentType));
}

TMsgSection SectionOfPart(const TStringList& partHeader, std::int64_t bodyStart, std::int64_t bodyEnd, int level) {
  TMsgSection section;
  const std::string contentTypeField = GetField(partHeader, "Content-Type");
  section.ContentType = MainValue(contentTypeField);
  section.Charset = GetMimeParam("charset", contentTypeField);
  section.ContentId = WithoutAngles(GetField(partHeader, "Content-ID"));
  section.FileName = FileNameOfPart(partHeader, contentTypeField, section.ContentType);
  section.Kind = KindOfEncoding(GetField(partHeader, "Content-Transfer-Encoding"));
  section.Start = bodyStart;
  section.Length = bodyEnd - bodyStart;
  section.Level = level;
  return section;
}

}  // namespace

void TMsgDecode::ParsePart(TRange range, int level) {
  THeaderBlock block = ReadHeaderBlock(*stream_, range.start, range.end);
  if (!block.ended) throw Exception(msg_errors::kPartFormat);
  const TRange body{block.bodyStart, range.end};
  const std::string contentType = GetField(block.lines, "Content-Type");
  if (IsMultipartType(contentType) && level < kMaxNestingLevel) {
    SplitMultipart(body, BoundaryOf(contentType), level + 1);
    return;
  }
  // A multipart nested deeper than the limit is kept whole, as text.
  sections_.push_back(SectionOfPart(block.lines, body.start, body.end, level));
}
