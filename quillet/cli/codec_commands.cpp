// codec NAME (stdin to stdout) and header decode-words|date TEXT.
#include <string>

#include "quillet/cli/cli_context.h"
#include "quillet/common/lines.h"
#include "quillet/message/codec/codecs.h"
#include "quillet/message/header/header_utils.h"

namespace {

void QuotedPrintableEncode(TMemoryStream& in, TMemoryStream& out) {
  TStringList lines;
  TQuotedPrintable qp(&in, &lines);
  qp.Encode();
  for (const std::string& line : lines) WriteLine(out, line);
}

void QuotedPrintableDecode(TMemoryStream& in, TMemoryStream& out) {
  TStringList lines = SplitLines(in.Bytes());
  TQuotedPrintable qp(&out, &lines);
  qp.Decode();
}

}  // namespace

int RunCodecCommand(TCliContext& ctx) {
  if (ctx.args.size() != 1) throw ECliUsage("codec needs one NAME");
  const std::string& name = ctx.args[0];
  TMemoryStream in(ReadInputFile("-"));
  TMemoryStream out;
  std::int64_t size = in.Size();
  if (name == "base64-encode") TBase64(&in, TCodecMode::Encode, &out, size, 0).Encode();
  else if (name == "base64-decode") TBase64(&in, TCodecMode::Decode, &out, size, 0).Decode();
  else if (name == "uu-encode") TUUCode(&in, TCodecMode::Encode, &out, size, 0).Encode();
  else if (name == "uu-decode") TUUCode(&in, TCodecMode::Decode, &out, size, 0).Decode();
  else if (name == "qp-encode") QuotedPrintableEncode(in, out);
  else if (name == "qp-decode") QuotedPrintableDecode(in, out);
  else if (name == "hz-decode") HZToGB(in, 0, size, out);
  else throw ECliUsage("unknown codec " + name);
  WriteRaw(out.Bytes());
  return 0;
}

int RunHeaderCommand(TCliContext& ctx) {
  if (ctx.args.size() != 2) throw ECliUsage("header needs decode-words|date and a TEXT");
  const std::string& what = ctx.args[0];
  std::string text = ArgumentText(ctx.args[1]);
  if (what == "decode-words") PrintLine(DecodeWords(text));
  else if (what == "date") PrintLine(FormatCliDate(ParseDate(text)));
  else throw ECliUsage("unknown header command " + what);
  return 0;
}
