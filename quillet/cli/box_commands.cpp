// box ...: the mailbox file pair over a base path.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/store/mailbox/mailbox_texts.h"
#include "quillet/cli/cli_context.h"
#include "quillet/cli/mark_options.h"
#include "quillet/common/lines.h"
#include "quillet/common/datetime.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

std::string Tab() { return "\t"; }

std::string HeadLine(const TMailHead& h) {
  return std::to_string(h.Id) + Tab() + std::to_string(h.State) + Tab() + std::to_string(h.Unread) + Tab() +
         (h.HasAttachment ? "1" : "0") + Tab() + FormatCliDate(h.Date) + Tab() + std::to_string(h.Priority) +
         Tab() + std::to_string(h.Size) + Tab() + std::to_string(h.Label) + Tab() + (h.Replied ? "1" : "0") +
         Tab() + (h.Flag2 ? "1" : "0") + Tab() + (h.Partial ? "1" : "0") + Tab() + h.Correspondent + Tab() +
         h.Subject;
}

std::uint8_t ParseByte(const std::string& text, const std::string& what) {
  std::int64_t n = ParseNumber(text, what);
  if (n < 0 || n > 255) throw ECliUsage(what + " must be 0..255");
  return static_cast<std::uint8_t>(n);
}

// YYYY-MM-DDTHH:MM:SS
TDateTime ParseCliDate(const std::string& text) {
  TDateParts p;
  char t = 0;
  int consumed = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%n", &p.year, &p.month, &p.day, &t, &p.hour, &p.minute,
                  &p.second, &consumed) != 7 ||
      (t != 'T' && t != ' ') || static_cast<size_t>(consumed) != text.size())
    throw ECliUsage("date must be YYYY-MM-DDTHH:MM:SS");
  TDateTime value;
  if (!TryEncodeDateTime(p, value)) throw ECliUsage("date out of range");
  return value;
}

int Append(TMailBox& box, const std::vector<std::string>& args) {
  TCliOptions o(args, {"--read", "--attachment"},
                {"--from", "--subject", "--date", "--priority", "--state", "--label"});
  o.ExpectPositional(1, 1);
  // Stored text has CR LF line ends, also when the file was saved with Unix line ends.
  TMemoryStream text(WithCrLfLineEnds(ReadInputFile(o.Positional()[0])));
  TMailHead head;
  head.Unread = o.Has("--read") ? 0 : 1;
  head.HasAttachment = o.Has("--attachment") ? 1 : 0;
  head.Correspondent = ArgumentText(o.Value("--from"));
  head.Subject = ArgumentText(o.Value("--subject"));
  head.Date = o.HasValue("--date") ? ParseCliDate(o.Value("--date")) : Now();
  head.Priority = ParseByte(o.Value("--priority", "3"), "priority");
  head.State = ParseByte(o.Value("--state", "0"), "state");
  std::int64_t label = ParseNumber(o.Value("--label", "0"), "label");
  if (label < 0 || label > 65535) throw ECliUsage("label must be 0..65535");
  head.Label = static_cast<std::uint16_t>(label);
  head.Size = static_cast<std::uint32_t>(text.Size());
  box.AddMessage(head, text);
  PrintLine(std::to_string(head.Id));
  return 0;
}

int List(TMailBox& box) {
  THeadList heads;
  box.LoadHeads(heads);
  for (const auto& h : heads.Items()) PrintLine(HeadLine(*h));
  return 0;
}

int Sort(TMailBox& box, const std::vector<std::string>& args) {
  if (args.size() != 2 || (args[1] != "asc" && args[1] != "desc")) throw ECliUsage("box sort BASE COLUMN asc|desc");
  int column = static_cast<int>(ParseNumber(args[0], "COLUMN"));
  THeadList heads;
  box.LoadHeads(heads);
  std::vector<TMailHead*> order;
  for (auto& h : heads.Items()) order.push_back(h.get());
  SortHeads(order, column, args[1] == "asc");
  for (const TMailHead* h : order) PrintLine(HeadLine(*h));
  return 0;
}

int Read(TMailBox& box, const std::vector<std::string>& args) {
  TCliOptions o(args, {"--body"}, {});
  o.ExpectPositional(1, 1);
  std::int32_t id = ParseId(o.Positional()[0]);
  TMemoryStream text;
  if (!box.ReadMessage(id, text, !o.Has("--body"))) {
    PrintError(std::string(k_textNoMessageWithId) + std::to_string(id));
    return 1;
  }
  WriteRaw(text.Bytes());
  return 0;
}

int Delete(TMailBox& box, const std::vector<std::string>& ids) {
  if (ids.empty()) throw ECliUsage("box delete BASE ID...");
  int status = 0;
  for (const std::string& text : ids) {
    std::int32_t id = ParseId(text);
    if (!box.DeleteRecord(id)) {
      PrintError(std::string(k_textNoMessageWithId) + std::to_string(id));
      status = 1;
    }
  }
  return status;
}

int Move(TMailBox& source, const std::vector<std::string>& args) {
  if (args.size() != 2) throw ECliUsage("box move SRC DST ID");
  TMailBox target(args[0]);
  std::int32_t id = ParseId(args[1]);
  std::int32_t newId = target.MoveFrom(source, id);
  if (newId < 0) {
    PrintError(std::string(k_textNoMessageWithId) + std::to_string(id));
    return 1;
  }
  PrintLine(std::to_string(newId));
  return 0;
}

int Mark(TMailBox& box, const std::vector<std::string>& args) {
  const TCliOptions o = MarkOptions(args);
  const std::string usage = "box mark BASE ID... --read|--unread|--replied|--unreplied|--label N|--state N";
  const TMarkChange change = ParseMarkChange(o, usage);
  if (o.Positional().empty()) throw ECliUsage(usage);
  int status = 0;
  for (const std::string& text : o.Positional()) {
    std::int32_t id = ParseId(text);
    TMailHead head;
    if (!box.ReadHead(id, head)) {
      PrintError(std::string(k_textNoMessageWithId) + std::to_string(id));
      status = 1;
      continue;
    }
    if (ApplyMark(head, change)) box.WriteHead(head);
  }
  return status;
}

int Title(TMailBox& box, const std::vector<std::string>& args) {
  if (args.size() > 1) throw ECliUsage("box title BASE [TEXT]");
  if (args.empty()) PrintLine(box.GetTitle());
  else box.SetTitle(ArgumentText(args[0]));
  return 0;
}

// The damaged records, plus one when the header's counters differ from the records.
int Check(TMailBox& box) {
  std::int32_t bad = box.CheckSeparators();
  PrintLine(std::to_string(bad));
  return bad == 0 ? 0 : 1;
}

int Info(TMailBox& box) {
  box.ReadHeader();
  TIdxHeader h = box.Header();
  TSpaceInfo space = box.GetSpaceInfo();
  std::int64_t packed = box.EstimatedPackedSize();
  PrintLine("version: " + std::to_string(h.Version));
  PrintLine("last-id: " + std::to_string(h.LastId));
  PrintLine("created: " + FormatCliDate(h.Created));
  PrintLine("encrypted: " + std::to_string(h.Encrypted));
  PrintLine("title: " + h.TitleText());
  PrintLine("wasted-bytes: " + std::to_string(h.WastedBytes));
  PrintLine("total-bytes: " + std::to_string(h.TotalBytes));
  PrintLine("unread-count: " + std::to_string(h.UnreadCount));
  PrintLine("item-count: " + std::to_string(h.ItemCount));
  PrintLine("live-count: " + std::to_string(space.LiveCount));
  PrintLine("space-wasted: " + std::to_string(space.Wasted));
  PrintLine("data-size: " + std::to_string(space.DataFileSize));
  PrintLine("packed-size: " + std::to_string(packed));
  return 0;
}

}  // namespace

int RunBoxCommand(TCliContext& ctx, TUserPrompts& prompts) {
  if (ctx.args.size() < 2) throw ECliUsage("box needs a command and a BASE");
  const std::string what = ctx.args[0];
  // Only create makes a new pair; every other command works on an existing one.
  if (what != "create" && !platform::FileExists(ctx.args[1] + ".IND"))
    throw EFileException(EFileException::Kind::Open, ctx.args[1] + ".IND");
  TMailBox box(ctx.args[1]);
  std::vector<std::string> rest(ctx.args.begin() + 2, ctx.args.end());
  auto noMore = [&] {
    if (!rest.empty()) throw ECliUsage("too many arguments for box " + what);
  };
  if (what == "create") { noMore(); return 0; }
  if (what == "append") return Append(box, rest);
  if (what == "list") { noMore(); return List(box); }
  if (what == "sort") return Sort(box, rest);
  if (what == "read") return Read(box, rest);
  if (what == "delete") return Delete(box, rest);
  if (what == "delete-all") { noMore(); box.DeleteAll(); return 0; }
  if (what == "move") return Move(box, rest);
  if (what == "mark") return Mark(box, rest);
  if (what == "title") return Title(box, rest);
  if (what == "pack") { noMore(); return box.Pack(prompts) ? 0 : 1; }
  if (what == "needs-pack") {
    if (rest.size() != 1) throw ECliUsage("box needs-pack BASE PERCENT");
    std::int64_t percent = ParseNumber(rest[0], "PERCENT");
    if (percent < INT32_MIN || percent > INT32_MAX) throw ECliUsage("PERCENT out of range");
    PrintLine(box.NeedsPack(static_cast<int>(percent)) ? "yes" : "no");
    return 0;
  }
  if (what == "check") { noMore(); return Check(box); }
  if (what == "info") { noMore(); return Info(box); }
  throw ECliUsage("unknown box command " + what);
}
