// Decodes the fuzzed bytes as quoted-printable lines, and encodes them as text and checks
// that decoding gives back every paragraph followed by CR LF.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/common/lines.h"
#include "quillet/message/codec/codecs.h"

namespace {

// The text's paragraphs (breaks: CR LF, CR, LF) each with CR LF.
std::string Paragraphs(const std::string& text) {
  std::string result, paragraph;
  bool any = false, afterCr = false;
  for (char c : text) {
    if (afterCr && c == '\n') {
      afterCr = false;
      continue;
    }
    afterCr = false;
    if (c == '\r' || c == '\n') {
      result += paragraph + "\r\n";
      paragraph.clear();
      any = true;
      afterCr = c == '\r';
    } else {
      paragraph += c;
    }
  }
  if (!paragraph.empty() || !any) result += paragraph + "\r\n";
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);

  TStringList lines = SplitLines(input);
  TMemoryStream decoded;
  TQuotedPrintable decoder(&decoded, &lines);
  try {
    decoder.Decode();
  } catch (const EMIMEError&) {
  }
  if (decoded.Size() > static_cast<std::int64_t>(input.size()) + 2 * static_cast<std::int64_t>(lines.size())) std::abort();

  TMemoryStream text(input);
  TStringList encoded;
  TQuotedPrintable encoder(&text, &encoded);
  try {
    encoder.Encode();
  } catch (const EMIMEError&) {
    return 0;  // a paragraph over the limit
  }
  for (const std::string& line : encoded) {
    for (char c : line) {
      unsigned char u = static_cast<unsigned char>(c);
      if (u < 32 || u >= 128) std::abort();
    }
  }
  TMemoryStream back;
  TQuotedPrintable redecoder(&back, &encoded);
  redecoder.Decode();
  if (back.Bytes() != Paragraphs(input)) std::abort();
  return 0;
}
