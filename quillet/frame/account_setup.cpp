#include "quillet/frame/account_setup.h"

#include <algorithm>

#include "quillet/transport/scramble.h"
#include "quillet/transport/uidl_file.h"

namespace {

constexpr char k_connection[] = "Connection";

TAccountSetup ReadAccountSetup(const TProfileFile& file) {
  const TProfileText ini = file.Load();
  TAccountSetup account;
  account.Name = ini.ReadString(k_connection, "name", "");
  account.MailAddress = ini.ReadString(k_connection, "MailAddress", "");
  account.ReplyAddress = ini.ReadString(k_connection, "ReplyAddress", "");
  account.Organization = ini.ReadString(k_connection, "Organization", "");
  account.Pop3 = DefaultAccount(file);
  account.Smtp = SmtpServer(file);
  account.Smtp.Account = ini.ReadString(k_connection, "SMTPAccount", "");
  account.Smtp.Password = Scramble(ini.ReadString(k_connection, "SMTPPassword", ""), "", false);
  account.Signature = ReadSignatureSetting(ini);
  return account;
}

void WriteAccountSetup(const TProfileFile& file, const TAccountSetup& a) {
  TProfileText ini = file.Load();
  const auto text = [&ini](const char* key, const std::string& value) { ini.WriteString(k_connection, key, value); };
  const auto number = [&ini](const char* key, std::int32_t value) { ini.WriteInteger(k_connection, key, value); };
  text("name", a.Name);
  text("MailAddress", a.MailAddress);
  text("ReplyAddress", a.ReplyAddress);
  text("Organization", a.Organization);
  text("POP3Host", a.Pop3.POP3Server);
  number("POP3Port", a.Pop3.POP3Port);
  text("POP3Account", a.Pop3.Account);
  text("POP3Password", Scramble(a.Pop3.Password, "", true));
  EraseSecurityKeys(ini, k_connection);
  WriteSecurityKeys(ini, k_connection, a.Pop3);
  ini.WriteInteger("Receive", "LeaveInServer", a.Pop3.LeaveIt ? 1 : 0);
  text("SMTPHost", a.Smtp.Host);
  number("SMTPPort", a.Smtp.Port);
  number("SMTPSecurity", static_cast<std::int32_t>(a.Smtp.Security));
  number("SMTPAuth", a.Smtp.Auth ? 1 : 0);
  text("SMTPAccount", a.Smtp.Account);
  text("SMTPPassword", Scramble(a.Smtp.Password, "", true));
  ini.EraseKey(k_connection, "SMTPTrustedCert");  // none trusted: no key, as the POP3 one
  if (!a.Smtp.TrustedCert.empty()) text("SMTPTrustedCert", a.Smtp.TrustedCert);
  WriteSignatureSetting(ini, a.Signature);
  file.Store(ini);
}

bool HasUidlFile(const std::vector<TOneConnection>& accounts, const std::string& uidlFile) {
  return std::any_of(accounts.begin(), accounts.end(),
                     [&uidlFile](const TOneConnection& c) { return c.UidlFile == uidlFile; });
}

// The seen-identifier files of the accounts of `from` that `other` does not have.
void DeleteUnsharedUidlFiles(const std::string& mailRoot, const std::vector<TOneConnection>& from,
                             const std::vector<TOneConnection>& other) {
  for (const TOneConnection& c : from)
    if (!HasUidlFile(other, c.UidlFile)) DeleteAccountUidlFile(mailRoot, c.UidlFile);
}

}  // namespace

TSetupValues LoadSetupValues(TSystemManager& manager) {
  return {ReadAccountSetup(manager.Setup().File()), manager.Settings(),
          TConnections(manager.Setup().IniPath()).Items()};
}

void ApplySetupValues(TSystemManager& manager, const TSetupValues& before, const TSetupValues& after) {
  WriteAccountSetup(manager.Setup().File(), after.Account);
  manager.Settings() = after.Settings;
  manager.SaveSettings();
  DeleteUnsharedUidlFiles(manager.MailRoot(), after.Connections, before.Connections);
  TConnections connections(manager.Setup().IniPath());
  connections.Items() = after.Connections;
  connections.Save();
  DeleteUnsharedUidlFiles(manager.MailRoot(), before.Connections, after.Connections);
}

TOneConnection NewConnection(const std::vector<TOneConnection>& edited, const std::vector<TOneConnection>& saved) {
  TConnections numbers{std::string()};  // no file: only its numbering is used
  numbers.Items() = edited;
  numbers.Items().insert(numbers.Items().end(), saved.begin(), saved.end());
  TOneConnection account;
  account.Enabled = true;
  account.UidlFile = numbers.NewUidlFile();
  return account;
}
