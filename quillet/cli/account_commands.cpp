// accounts ...: the further POP3 accounts in the ini file; password ...: the scrambling.
#include <string>

#include "quillet/cli/cli_context.h"
#include "quillet/cli/client_session.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/scramble.h"
#include "quillet/transport/trusted_cert.h"
#include "quillet/transport/uidl_file.h"

namespace {

std::string Tab() { return "\t"; }

std::string AccountLine(std::size_t index, const TOneConnection& c) {
  return std::to_string(index) + Tab() + c.Name + Tab() + c.POP3Server + Tab() + std::to_string(c.POP3Port) + Tab() +
         c.Account + Tab() + (c.Enabled ? "1" : "0") + Tab() + (c.LeaveIt ? "1" : "0") + Tab() + c.UidlFile;
}

TMailSecurity SecurityOption(const std::string& value) {
  const std::pair<const char*, TMailSecurity> names[] = {
      {"plain", TMailSecurity::Plain}, {"starttls", TMailSecurity::StartTls}, {"tls", TMailSecurity::ImplicitTls}};
  for (const auto& name : names)
    if (value == name.first) return name.second;
  throw ECliUsage("--security must be plain, starttls or tls");
}

int Add(const std::string& mailRoot, TConnections& accounts, const std::vector<std::string>& args) {
  TCliOptions o(args, {"--no-leave", "--disabled"},
                {"--name", "--server", "--port", "--user", "--password", "--security", "--trust"});
  o.ExpectPositional(0, 0);
  if (!o.HasValue("--server") || !o.HasValue("--user")) throw ECliUsage("accounts add needs --server and --user");
  TOneConnection account;
  account.Name = ArgumentText(o.Value("--name"));
  account.POP3Server = ArgumentText(o.Value("--server"));
  account.Security = SecurityOption(o.Value("--security", "plain"));
  account.TrustedCert = o.Value("--trust");
  if (o.HasValue("--trust") && !IsFingerprint(account.TrustedCert))
    throw ECliUsage("--trust needs a SHA-256 fingerprint: 64 hex digits, ':' allowed between them");
  const std::int64_t port = ParseNumber(o.Value("--port", std::to_string(DefaultPop3Port(account.Security))), "port");
  if (port < 1 || port > 65535) throw ECliUsage("port must be 1..65535");
  account.POP3Port = static_cast<std::int32_t>(port);
  account.Account = ArgumentText(o.Value("--user"));
  account.Password = ArgumentText(o.Value("--password"));
  account.Enabled = !o.Has("--disabled");
  account.LeaveIt = !o.Has("--no-leave");
  account.UidlFile = accounts.NewUidlFile();
  if (accounts.FreeUidlNumber() > TConnections::k_maxConnections)
    throw Exception("accounts: no free number for the new account's UIDL file");
  DeleteAccountUidlFile(mailRoot, account.UidlFile);
  accounts.Items().push_back(account);
  accounts.Save();
  PrintLine(std::to_string(accounts.Items().size()));
  return 0;
}

int Remove(const std::string& mailRoot, TConnections& accounts, const std::vector<std::string>& args) {
  TCliOptions o(args, {}, {});
  o.ExpectPositional(1, 1);
  const std::int64_t index = ParseNumber(o.Positional()[0], "INDEX");
  auto& items = accounts.Items();
  if (index < 1 || index > static_cast<std::int64_t>(items.size()))
    throw ECliUsage("no account " + o.Positional()[0]);
  const std::string uidlFile = items[static_cast<std::size_t>(index - 1)].UidlFile;
  items.erase(items.begin() + (index - 1));
  accounts.Save();
  DeleteAccountUidlFile(mailRoot, uidlFile);
  return 0;
}

}  // namespace

int RunAccountsCommand(TCliContext& ctx, TUserPrompts& prompts) {
  if (ctx.args.empty()) throw ECliUsage("accounts needs list, add or remove");
  const std::string what = ctx.args[0];
  const std::vector<std::string> rest(ctx.args.begin() + 1, ctx.args.end());
  TClientSession session(ctx, prompts);
  const std::string mailRoot = session.Manager().MailRoot();
  TConnections accounts(session.Manager().Setup().IniPath());
  if (what == "list") {
    TCliOptions(rest, {}, {}).ExpectPositional(0, 0);
    std::size_t index = 0;
    for (const TOneConnection& c : accounts.Items()) PrintLine(AccountLine(++index, c));
    return 0;
  }
  if (what == "add") return Add(mailRoot, accounts, rest);
  if (what == "remove") return Remove(mailRoot, accounts, rest);
  throw ECliUsage("unknown accounts command " + what);
}

int RunPasswordCommand(TCliContext& ctx) {
  TCliOptions o(ctx.args, {}, {});
  o.ExpectPositional(2, 3);
  const std::string& what = o.Positional()[0];
  const std::string text = ArgumentText(o.Positional()[1]);
  const std::string key = o.Positional().size() > 2 ? ArgumentText(o.Positional()[2]) : std::string();
  if (what != "scramble" && what != "descramble") throw ECliUsage("unknown password command " + what);
  PrintLine(Scramble(text, key, what == "scramble"));
  return 0;
}
