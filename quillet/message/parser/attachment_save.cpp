// Decoding a section into a stream: attachments on request, text sections for the
// display text.
#include <string>

#include "quillet/common/range_stream.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/message_lines.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/parser_texts.h"

using namespace msgdecode;

namespace {

// The range as it stands, each line ended with CR LF: a last line without its line end
// gets one. Unlike a copy line by line, long lines and NUL bytes pass unharmed.
void CopyAsLines(TRangeStream& body, std::int64_t length, TStream& out) {
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
  TLineReader reader(source, section.Start, section.Length);
  std::string line;
  while (ReadMessageLine(reader, line)) lines.push_back(line);
}

// Where the data of a Base64 or uuencoded section starts: after the empty lines that
// some mailers put between a part's header and its data. An empty line after the data
// still ends decoding.
std::int64_t DataStart(TStream& source, const TMsgSection& section) {
  TLineReader reader(source, section.Start, section.Length);
  TLinePiece piece;  // pieces: a long data line is not copied just to be looked at
  std::int64_t start = reader.Position();
  while (reader.Next(piece) && piece.first && piece.last && piece.length == 0) start = reader.Position();
  return start;
}

// Decodes the section's data with a Base64 or uuencode codec.
template <typename TCodec>
void DecodeData(TStream& source, const TMsgSection& section, TStream& out) {
  std::int64_t start = DataStart(source, section);
  std::int64_t length = section.Start + section.Length - start;
  TRangeStream data(source, start, length);
  TCodec codec(&data, TCodecMode::Decode, &out, length, 0);
  codec.Decode();
}

}  // namespace

void TMsgDecode::SaveAttachFileToStream(int index, TStream& stream) {
  if (index < 0 || static_cast<size_t>(index) >= attachments_.size()) throw Exception(parser_texts::k_badAttachmentIndex);
  SaveSectionToStream(*stream_, attachments_[static_cast<size_t>(index)].Section, stream);
}

void TMsgDecode::SaveAttachFile(int index, const std::string& fileName) {
  // The index is checked first, so that a wrong one leaves no empty file behind.
  if (index < 0 || static_cast<size_t>(index) >= attachments_.size()) throw Exception(parser_texts::k_badAttachmentIndex);
  TFileStream file(fileName, TFileStream::Mode::Create);
  SaveAttachFileToStream(index, file);
  file.Flush();
}

void SaveSectionToStream(TStream& source, const TMsgSection& section, TStream& out) {
  if (section.LineEnds == TLineEnds::Any) {
    TMemoryStream copy;
    SaveSectionToStream(copy, CrLfCopyOf(source, section, copy), out);
    return;
  }
  TRangeStream body(source, section.Start, section.Length);
  switch (section.Kind) {
    case TTransferKind::Base64:
      DecodeData<TBase64>(source, section, out);
      return;
    case TTransferKind::QuotedPrintable: {
      TStringList lines;
      ReadBodyLines(source, section, lines);
      TrimEmptyLines(lines);
      TQuotedPrintable codec(&out, &lines);
      codec.Decode();
      return;
    }
    case TTransferKind::UUEncode:
      DecodeData<TUUCode>(source, section, out);
      return;
    case TTransferKind::None:
      if (gbk::UpperCase(section.Charset).find("HZ") != std::string::npos) HZToGB(body, 0, section.Length, out);
      else CopyAsLines(body, section.Length, out);
      return;
    default:
      throw EMsgDecodeError(parser_texts::k_unknownEncoding);
  }
}
