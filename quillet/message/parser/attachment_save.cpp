// Decoding a section into a stream: attachments on request, text sections for the
// display text.
#include <string>

#include "quillet/message/codec/codecs.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/msg_errors.h"
#include "quillet/message/parser/range_line_reader.h"
#include "quillet/message/parser/range_view.h"

using namespace msgdecode;

namespace {

// The range as it stands, each line ended with CR LF: a last line without its line end
// gets one. Unlike a copy line by line, long lines and NUL bytes pass unharmed.
void CopyAsLines(TRangeView& body, std::int64_t length, TStream& out) {
  if (length <= 0) return;
  out.CopyFrom(body, length);
  char last[2] = {0, 0};
  std::int32_t tail = length >= 2 ? 2 : 1;
  body.SetPosition(length - tail);
  body.Read(last, tail);
  char lastByte = last[tail - 1];
  if (lastByte == '\r') out.WriteBuffer("\n", 1);
  else if (!(lastByte == '\n' && tail == 2 && last[0] == '\r')) out.WriteBuffer("\r\n", 2);
}

void ReadBodyLines(TStream& source, const TMsgSection& section, TStringList& lines) {
  TRangeLineReader reader(source, section.Start, section.Start + section.Length);
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
}

}  // namespace

void TMsgDecode::SaveAttachFileToStream(int index, TStream& stream) {
  if (index < 0 || static_cast<size_t>(index) >= attachments_.size()) throw Exception(msg_errors::kBadAttachmentIndex);
  SaveSectionToStream(*stream_, attachments_[static_cast<size_t>(index)].Section, stream);
}

void TMsgDecode::SaveAttachFile(int index, const std::string& fileName) {
  // The index is checked first, so that a wrong one leaves no empty file behind.
  if (index < 0 || static_cast<size_t>(index) >= attachments_.size()) throw Exception(msg_errors::kBadAttachmentIndex);
  TFileStream file(fileName, TFileStream::fmCreate);
  SaveAttachFileToStream(index, file);
  file.Flush();
}

void SaveSectionToStream(TStream& source, const TMsgSection& section, TStream& out) {
  TRangeView body(source, section.Start, section.Length);
  switch (section.Kind) {
    case TMsgSection::kBase64: {
      TBase64 codec(&body, TCodecMode::Decode, &out, section.Length, 0);
      codec.Decode();
      return;
    }
    case TMsgSection::kQuotedPrintable: {
      TStringList lines;
      ReadBodyLines(source, section, lines);
      TrimEmptyLines(lines);
      TQuotedPrintable codec(&out, &lines);
      codec.Decode();
      return;
    }
    case TMsgSection::kUUEncode: {
      TUUCode codec(&body, TCodecMode::Decode, &out, section.Length, 0);
      codec.Decode();
      return;
    }
    case TMsgSection::kNone:
      if (gbk::UpperCase(section.Charset).find("HZ") != std::string::npos) HZToGB(body, 0, section.Length, out);
      else CopyAsLines(body, section.Length, out);
      return;
    default:
      throw EMsgDecodeError(msg_errors::kUnknownEncoding);
  }
}
