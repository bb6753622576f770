// compose ...: a message written into the outbox, queued to send or saved unfinished.
#include <string>
#include <vector>

#include "quillet/addressbook/address_texts.h"
#include "quillet/cli/cli_context.h"
#include "quillet/cli/client_session.h"
#include "quillet/common/datetime.h"
#include "quillet/store/system/msg_encode.h"

namespace {

constexpr std::uint8_t k_stateQueued = 2;
constexpr std::uint8_t k_stateSaved = 3;

// Names and groups of the address book become their addresses; a name the book does
// not know is refused rather than queued as a message nobody can receive.
TStringList ExpandedRecipients(const TSystemManager& manager, const std::vector<std::string>& args) {
  TStringList addresses, unknown;
  for (const std::string& a : args) manager.ExpandRecipients(ArgumentText(a), addresses, unknown);
  if (!unknown.empty()) throw Exception(k_textNoEntryNamed + unknown.front());
  return addresses;
}

std::uint8_t ParsePriority(const std::string& text) {
  if (text != "1" && text != "3" && text != "5") throw ECliUsage("priority must be 1, 3 or 5");
  return static_cast<std::uint8_t>(text[0] - '0');
}

}  // namespace

int RunComposeCommand(TCliContext& ctx, TUserPrompts& prompts) {
  TCliOptions o(ctx.args, {"--save"},
                {"--to", "--cc", "--bcc", "--reply-to", "--subject", "--body", "--attach", "--priority"});
  o.ExpectPositional(0, 0);
  if (!o.HasValue("--to")) throw ECliUsage("compose needs --to");
  if (!o.HasValue("--subject")) throw ECliUsage("compose needs --subject");
  const bool save = o.Has("--save");
  TMailHead head;
  head.State = save ? k_stateSaved : k_stateQueued;
  head.Priority = ParsePriority(o.Value("--priority", "3"));
  head.Date = Now();
  head.Correspondent = HeaderSafe(ArgumentText(o.Values("--to").front()));
  head.Subject = HeaderSafe(ArgumentText(o.Value("--subject")));
  // The body file is read before the session opens, so a missing one changes nothing.
  TStringList body;
  if (o.HasValue("--body")) body = SplitLines(ReadInputFile(o.Value("--body")));

  TClientSession session(ctx, prompts);
  TSystemManager& manager = session.Manager();
  const TProfileFile& ini = manager.Setup().File();
  TComposeSettings settings = LoadComposeSettings(ini);
  TMsgEncode encode(manager.Boxes().Standard(TBoxKind::Outbox).BasePath(), head, settings, prompts);
  encode.Input.From = SenderText(ini, settings.Subject8bit);
  encode.Input.ReplyTo = ArgumentText(o.Value("--reply-to"));
  encode.Input.To = ExpandedRecipients(manager, o.Values("--to"));
  encode.Input.CC = ExpandedRecipients(manager, o.Values("--cc"));
  encode.Input.BCC = ExpandedRecipients(manager, o.Values("--bcc"));
  encode.Input.NameOf = [&manager](const std::string& address) { return manager.AddressNameOf(address); };
  encode.Input.Subject = ArgumentText(o.Value("--subject"));
  encode.Input.Body = body;
  encode.Input.Attachments = o.Values("--attach");
  encode.Input.VersionText = manager.VersionText();
  encode.Encode(!save);
  PrintLine(std::to_string(head.Id));
  return 0;
}
