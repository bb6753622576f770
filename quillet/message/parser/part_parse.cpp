// Parsing one body part: its header, then either a nested multipart or one section.
#include <string>

#include "quillet/message/parser/attachment_names.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/parser/header_block.h"
#include "quillet/message/parser/message_lines.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/header/mime_params.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/parser_texts.h"

using namespace msgdecode;

namespace {

TTransferKind KindOfEncoding(const std::string& transferEncoding) {
  std::string value = gbk::UpperCase(MainValue(transferEncoding));
  if (value == "BASE64") return TTransferKind::Base64;
  if (value == "QUOTED-PRINTABLE") return TTransferKind::QuotedPrintable;
  // The names mailers give a uuencoded part; its body is one "begin" ... "end" block.
  for (const char* uu : {"X-UUENCODE", "X-UUE", "UUENCODE", "X-UUDECODE"})
    if (value == uu) return TTransferKind::UUEncode;
  return TTransferKind::None;  // 7bit, 8bit, binary, missing
}

// The file name on the "begin" line of a uuencoded part's body (empty lines before it
// are usual); empty when the body does not open with a block.
std::string UUBeginName(TStream& stream, std::int64_t start, std::int64_t end, TLineEnds ends) {
  TLineReader reader(stream, start, end - start, ends);
  std::string line, next, name;
  while (reader.ReadLine(line) && line.empty()) {
  }
  reader.ReadLine(next);
  return IsUUBeginLine(line, next, name) ? name : std::string();
}

std::string WithoutAngles(std::string id) {
  id = Trim(id);
  if (id.size() >= 2 && id.front() == '<' && id.back() == '>') id = id.substr(1, id.size() - 2);
  return id;
}

// The name parameter of Content-Type, replaced by the filename parameter of
// Content-Disposition when that has one (either may be absent: empty); encoded words
// decoded. Decoding comes first: the Base64 text of an encoded word may hold a "/".
std::string DeclaredNameOfPart(const TStringList& partHeader, const std::string& contentTypeField) {
  std::string name = GetMimeParamText("name", contentTypeField);
  if (name == k_unableToGet) name.clear();
  std::string disposition = GetField(partHeader, "Content-Disposition");
  if (!disposition.empty()) {
    std::string fileName = GetMimeParamText("filename", disposition);
    if (fileName != k_unableToGet && !fileName.empty()) name = fileName;
  }
  return DecodeWords(name);
}

}  // namespace

// A uuencoded part without a declared name takes the name of its "begin" line. The name
// is then reduced to its file-name part and completed for the type.
TMsgSection TMsgDecode::SectionOfPart(const TStringList& partHeader, std::int64_t bodyStart, std::int64_t bodyEnd,
                                      int level) {
  TMsgSection section;
  const std::string contentTypeField = GetField(partHeader, "Content-Type");
  section.ContentType = MainValue(contentTypeField);
  section.Charset = GetMimeParam("charset", contentTypeField);
  section.ContentId = WithoutAngles(GetField(partHeader, "Content-ID"));
  section.Kind = KindOfEncoding(GetField(partHeader, "Content-Transfer-Encoding"));
  std::string name = DeclaredNameOfPart(partHeader, contentTypeField);
  if (name.empty() && section.Kind == TTransferKind::UUEncode)
    name = UUBeginName(*stream_, bodyStart, bodyEnd, lineEnds_);
  section.FileName = SafeAttachmentName(FileNameForType(name, section.ContentType));
  section.Start = bodyStart;
  section.Length = bodyEnd - bodyStart;
  section.Level = level;
  return section;
}

void TMsgDecode::ParsePart(TRange range, int level) {
  THeaderBlock block = ReadHeaderBlock(*stream_, range.start, range.end, lineEnds_);
  if (!block.ended) throw Exception(parser_texts::k_partFormat);
  const TRange body{block.bodyStart, range.end};
  const std::string contentType = GetField(block.lines, "Content-Type");
  if (IsMultipartType(contentType) && level < k_maxNestingLevel) {
    SplitMultipart(body, BoundaryOf(contentType), level + 1);
    return;
  }
  // A multipart nested deeper than the limit is kept whole, as text.
  sections_.push_back(SectionOfPart(block.lines, body.start, body.end, level));
}
