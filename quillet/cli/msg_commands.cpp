// msg headers|field|text|parts|attachments|extract over a message file, or over one
// stored message (--box BASE --id ID) read in place from the mailbox data file.
#include <memory>
#include <string>

#include "quillet/store/mailbox/mailbox_texts.h"
#include "quillet/cli/cli_context.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

std::string Tab() { return "\t"; }

void PrintHeaders(TMsgDecode& msg) {
  for (const std::string& line : msg.HeaderLines()) WriteRaw(line + "\n");
}

void PrintField(TMsgDecode& msg, std::string name, bool decode) {
  if (name.empty() || name.back() != ':') name += ':';
  std::string value = GetField(msg.HeaderLines(), name);
  if (decode) PrintLine(DecodeWords(value));
  else WriteRaw(value + "\n");
}

void PrintDisplayText(TMsgDecode& msg) {
  std::string text = msg.DisplayText().Bytes();
  if (!text.empty() && text.back() == '\0') text.pop_back();
  WriteRaw(text);
}

void PrintParts(TMsgDecode& msg) {
  for (const TMsgSection& s : msg.Sections()) {
    PrintLine(std::string(TMsgSection::KindName(s.Kind)) + Tab() + s.ContentType + Tab() + s.Charset + Tab() +
              s.FileName + Tab() + s.ContentId + Tab() + std::to_string(s.Start) + Tab() +
              std::to_string(s.Length));
  }
}

void PrintAttachments(TMsgDecode& msg) {
  int index = 0;
  for (const TMsgAttachment& a : msg.Attachments()) {
    const TMsgSection& s = a.Section;
    PrintLine(std::to_string(index++) + Tab() + TMsgSection::KindName(s.Kind) + Tab() + s.ContentType + Tab() +
              a.FileName + Tab() + s.ContentId + Tab() + std::to_string(s.Length));
  }
}

// The message file, or the stored message read in place from the mailbox data file.
std::unique_ptr<TStream> OpenMessage(const TCliOptions& opts, const std::string& file) {
  if (!opts.HasValue("--box")) return std::make_unique<TFileStream>(file, TFileStream::Mode::OpenRead);
  std::int64_t id = ParseNumber(opts.Value("--id"), "ID");
  if (id < INT32_MIN || id > INT32_MAX) throw Exception(std::string(k_textNoMessageWithId) + std::to_string(id));
  TMailBox box(opts.Value("--box"));
  return box.OpenMessageStream(static_cast<std::int32_t>(id));
}

}  // namespace

int RunMsgCommand(TCliContext& ctx) {
  TCliOptions opts(ctx.args, {"--decode", "--as-text"}, {"--box", "--id"});
  const auto& pos = opts.Positional();
  if (pos.empty()) throw ECliUsage("msg needs a sub-command");
  const std::string& what = pos[0];
  bool fromBox = opts.HasValue("--box");
  size_t fileArgs = fromBox ? 0 : 1;
  std::vector<std::string> rest(pos.begin() + 1 + static_cast<std::ptrdiff_t>(std::min(fileArgs, pos.size() - 1)),
                                pos.end());
  if (!fromBox && pos.size() < 2) throw ECliUsage("msg " + what + " needs a FILE or --box BASE --id ID");

  std::unique_ptr<TStream> source = OpenMessage(opts, fromBox ? std::string() : pos[1]);
  TMsgDecode msg(source.get(), source->Size(), 0);
  TCliPrompts prompts(ctx.answer, ctx.passwordFile);
  msg.SetPrompts(&prompts);
  try {
    if (what == "text" && opts.Has("--as-text")) msg.DecodeAsText();
    else msg.Decode();
  } catch (const Exception&) {
    // A body the parser cannot split still has readable header lines.
    bool headerOnly = what == "headers" || what == "field";
    if (!headerOnly || msg.HeaderLines().empty()) throw;
  }

  if (what == "headers" && rest.empty()) PrintHeaders(msg);
  else if (what == "field" && rest.size() == 1) PrintField(msg, ArgumentText(rest[0]), opts.Has("--decode"));
  else if (what == "text" && rest.empty()) PrintDisplayText(msg);
  else if (what == "parts" && rest.empty()) PrintParts(msg);
  else if (what == "attachments" && rest.empty()) PrintAttachments(msg);
  else if (what == "extract" && rest.size() == 2) {
    msg.SaveAttachFile(static_cast<int>(ParseNumber(rest[0], "INDEX")), rest[1]);
  } else {
    throw ECliUsage("unknown or incomplete msg command " + what);
  }
  return 0;
}
