#include "quillet/transport/mail_accounts.h"

#include "quillet/transport/scramble.h"

namespace {

constexpr char k_connection[] = "Connection";
constexpr char k_defaultName[] = "<Default>";
constexpr char k_defaultUidlFile[] = "uidl";

// A stored port outside 1..65535 falls back to the protocol's own.
std::uint16_t PortSetting(const TProfileFile& ini, const char* key, std::uint16_t fallback) {
  const std::int32_t port = ini.ReadInteger(k_connection, key, fallback);
  return port >= 1 && port <= 65535 ? static_cast<std::uint16_t>(port) : fallback;
}

}  // namespace

TOneConnection DefaultAccount(const TProfileFile& ini) {
  TOneConnection account;
  account.Name = k_defaultName;
  account.POP3Server = ini.ReadString(k_connection, "POP3Host", "");
  ReadSecurityKeys(ini.Load(), k_connection, account);
  account.POP3Port = PortSetting(ini, "POP3Port", static_cast<std::uint16_t>(DefaultPop3Port(account.Security)));
  account.Account = ini.ReadString(k_connection, "POP3Account", "");
  account.Password = Scramble(ini.ReadString(k_connection, "POP3Password", ""), "", false);
  account.Enabled = !account.POP3Server.empty();
  account.LeaveIt = ini.ReadInteger("Receive", "LeaveInServer", 1) != 0;
  account.UidlFile = k_defaultUidlFile;
  return account;
}

std::vector<TOneConnection> MailAccounts(const TProfileFile& ini) {
  std::vector<TOneConnection> accounts{DefaultAccount(ini)};
  const TConnections others(ini.Path());
  accounts.insert(accounts.end(), others.Items().begin(), others.Items().end());
  return accounts;
}

TSmtpServer SmtpServer(const TProfileFile& ini) {
  TSmtpServer server;
  server.Host = ini.ReadString(k_connection, "SMTPHost", "");
  server.Security = MailSecurityFromNumber(ini.ReadInteger(k_connection, "SMTPSecurity", 0));
  server.Port = PortSetting(ini, "SMTPPort", DefaultSmtpPort(server.Security));
  server.Auth = ini.ReadInteger(k_connection, "SMTPAuth", 0) == 1;
  server.Account = ini.ReadString(k_connection, "SMTPAccount", "");
  server.Password = Scramble(ini.ReadString(k_connection, "SMTPPassword", ""), "", false);
  server.PasswordServer = server.Host;
  if (server.Account.empty()) {
    const TOneConnection own = DefaultAccount(ini);
    server.Account = own.Account;
    server.Password = own.Password;
    server.PasswordServer = own.POP3Server;
  }
  server.TrustedCert = ini.ReadString(k_connection, "SMTPTrustedCert", "");
  return server;
}
