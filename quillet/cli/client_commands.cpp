// The mail client's mailbox commands: boxes, mailbox, deliver, pack, mark, move, delete,
// empty-trash, import, export, encrypt, decrypt. Each opens the system manager over the home folder.
#include <string>
#include <vector>

#include "quillet/cli/client_session.h"
#include "quillet/cli/mark_options.h"
#include "quillet/common/lines.h"
#include "quillet/store/mailbox/mailbox_texts.h"
#include "quillet/store/system/system_texts.h"

namespace {

using TArgs = std::vector<std::string>;

void ExpectCount(const TArgs& args, size_t min, size_t max, const char* usage) {
  if (args.size() < min || args.size() > max) throw ECliUsage(usage);
}

TBoxObject& BoxArgument(TSystemManager& manager, const std::string& arg) {
  return manager.Boxes().Get(ArgumentText(arg));
}

std::vector<std::int32_t> IdArguments(TArgs::const_iterator from, TArgs::const_iterator to) {
  std::vector<std::int32_t> ids;
  for (; from != to; ++from) ids.push_back(ParseId(*from));
  return ids;
}

// Reports the ids without a live message; the exit status.
int ReportMissing(const TMessagesResult& result) {
  for (std::int32_t id : result.missing) PrintError(std::string(k_textNoMessageWithId) + std::to_string(id));
  return result.refused || !result.missing.empty() ? 1 : 0;
}

int Boxes(TSystemManager& manager, const TArgs& args) {
  ExpectCount(args, 0, 0, "boxes");
  for (const auto& entry : manager.Boxes().Entries()) {
    const TIdxHeader& header = entry->Box().Header();
    PrintLine(entry->Name() + "\t" + std::to_string(static_cast<int>(entry->Kind())) + "\t" + entry->BasePath() +
              "\t" + std::to_string(header.ItemCount) + "\t" + std::to_string(header.UnreadCount));
    entry->ReleaseBox();
  }
  return 0;
}

int Mailbox(TSystemManager& manager, const TArgs& args) {
  const char* usage = "mailbox new NAME | mailbox rename OLD NEW | mailbox delete NAME";
  if (args.empty()) throw ECliUsage(usage);
  if (args[0] == "new" && args.size() == 2) return manager.CreateBox(ArgumentText(args[1])), 0;
  if (args[0] == "rename" && args.size() == 3) {
    manager.RenameBox(BoxArgument(manager, args[1]), ArgumentText(args[2]));
    return 0;
  }
  if (args[0] == "delete" && args.size() == 2) return manager.DeleteBox(BoxArgument(manager, args[1])) ? 0 : 1;
  throw ECliUsage(usage);
}

int Deliver(TSystemManager& manager, const TArgs& args) {
  ExpectCount(args, 1, 1, "deliver FILE");
  TMemoryStream message(WithCrLfLineEnds(ReadInputFile(args[0])));
  const TDeliveryResult result = manager.Deliver(message);
  PrintLine(result.mailboxName + "\t" + std::to_string(result.id));
  return 0;
}

int Pack(TSystemManager& manager, const TArgs& args) {
  const TCliOptions o(args, {"--all", "--if-needed"}, {});
  o.ExpectPositional(0, 1);
  const bool onlyIfNeeded = o.Has("--if-needed");
  if (o.Positional().empty()) {
    manager.PackAll(onlyIfNeeded);
    return 0;
  }
  if (o.Has("--all")) throw ECliUsage("pack [BOX|--all] [--if-needed]");
  const TPackResult result = manager.PackBox(BoxArgument(manager, o.Positional()[0]), onlyIfNeeded);
  return result == TPackResult::Refused || result == TPackResult::DiskFull ? 1 : 0;
}

int Mark(TSystemManager& manager, const TArgs& args) {
  const TCliOptions o = MarkOptions(args);
  const char* usage = "mark BOX ID... --read|--unread|--replied|--unreplied|--label N|--state N";
  const TMarkChange change = ParseMarkChange(o, usage);
  const TArgs& p = o.Positional();
  if (p.size() < 2) throw ECliUsage(usage);
  const std::vector<std::int32_t> ids = IdArguments(p.begin() + 1, p.end());
  return ReportMissing(manager.MarkMessages(BoxArgument(manager, p[0]), ids, change));
}

int Move(TSystemManager& manager, const TArgs& args) {
  ExpectCount(args, 3, 3, "move BOX ID DEST");
  const TMessagesResult result =
      manager.MoveMessages(BoxArgument(manager, args[0]), {ParseId(args[1])}, BoxArgument(manager, args[2]));
  for (std::int32_t id : result.done) PrintLine(std::to_string(id));
  return ReportMissing(result);
}

int Delete(TSystemManager& manager, const TArgs& args) {
  if (args.size() < 2) throw ECliUsage("delete BOX ID...");
  const std::vector<std::int32_t> ids = IdArguments(args.begin() + 1, args.end());
  return ReportMissing(manager.DeleteMessages(BoxArgument(manager, args[0]), ids));
}

int EmptyTrash(TSystemManager& manager, const TArgs& args) {
  ExpectCount(args, 0, 0, "empty-trash");
  return manager.EmptyTrash() ? 0 : 1;
}

int Import(TSystemManager& manager, const TArgs& args) {
  ExpectCount(args, 2, 2, "import BOX FILE");
  PrintLine(std::to_string(manager.ImportMessage(BoxArgument(manager, args[0]), args[1])));
  return 0;
}

int Export(TSystemManager& manager, const TArgs& args) {
  if (args.size() < 3) throw ECliUsage("export BOX ID... FILE");
  manager.ExportMessages(BoxArgument(manager, args[0]), IdArguments(args.begin() + 1, args.end() - 1), args.back());
  return 0;
}

// --password, else the password question; a cancelled question ends the command.
bool CipherPassword(const TCliOptions& o, const char* question, TUserPrompts& prompts, std::string& password) {
  if (o.HasValue("--password")) {
    password = ArgumentText(o.Value("--password"));
    return true;
  }
  return prompts.AskPassword(question, password);
}

// encrypt or decrypt BOX [--password P].
template <bool encrypt>
int Cipher(TSystemManager& manager, const TArgs& args, TUserPrompts& prompts) {
  const TCliOptions o(args, {}, {"--password"});
  o.ExpectPositional(1, 1);
  TBoxObject& box = BoxArgument(manager, o.Positional()[0]);
  std::string password;
  if (!CipherPassword(o, encrypt ? k_textAskEncryptPassword : k_textAskDecryptPassword, prompts, password)) return 1;
  if (encrypt) manager.EncryptBox(box, password);
  else manager.DecryptBox(box, password);
  return 0;
}

template <int (*Run)(TSystemManager&, const TArgs&)>
int InSession(TCliContext& ctx, TUserPrompts& prompts) {
  TClientSession session(ctx, prompts);
  return Run(session.Manager(), ctx.args);
}

template <int (*Run)(TSystemManager&, const TArgs&, TUserPrompts&)>
int AskingInSession(TCliContext& ctx, TUserPrompts& prompts) {
  TClientSession session(ctx, prompts);
  return Run(session.Manager(), ctx.args, prompts);
}

}  // namespace

TClientCommand FindClientCommand(const std::string& command) {
  static const std::pair<const char*, TClientCommand> k_commands[] = {
      {"boxes", InSession<Boxes>},   {"mailbox", InSession<Mailbox>},     {"deliver", InSession<Deliver>},
      {"pack", InSession<Pack>},     {"mark", InSession<Mark>},         {"move", InSession<Move>},
      {"delete", InSession<Delete>}, {"empty-trash", InSession<EmptyTrash>}, {"import", InSession<Import>},
      {"export", InSession<Export>},
      {"encrypt", AskingInSession<Cipher<true>>},
      {"decrypt", AskingInSession<Cipher<false>>},
  };
  for (const auto& entry : k_commands)
    if (command == entry.first) return entry.second;
  return nullptr;
}
