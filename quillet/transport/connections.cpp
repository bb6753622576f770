#include "quillet/transport/connections.h"

#include <set>

#include "quillet/common/gbk.h"
#include "quillet/common/profile_file.h"
#include "quillet/transport/scramble.h"

namespace {

constexpr char k_listSection[] = "OtherConnections";
constexpr char k_totalKey[] = "Total";
constexpr char k_connectionPrefix[] = "Connection";
constexpr char k_uidlSuffix[] = ".uid";
constexpr char k_securityKey[] = "POP3Security";
constexpr char k_trustedCertKey[] = "POP3TrustedCert";
constexpr char k_apopKey[] = "APOP";
constexpr std::int32_t k_uidlNumbers = 1000;
constexpr std::size_t k_maxDigits = 9;  // fits 32 bits

// The decimal number that the whole text is (no sign, no leading zero); 0 when it is not one.
std::int32_t DecimalNumber(const std::string& text) {
  if (text.empty() || text.size() > k_maxDigits || text[0] == '0') return 0;
  std::int32_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

// The number before the first "." of a UIDL file name; 0 when there is none.
std::int32_t UidlNumber(const std::string& uidlFile) {
  const std::size_t dot = uidlFile.find('.');
  if (dot == std::string::npos) return 0;
  std::string digits = uidlFile.substr(0, dot);
  while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);  // "007.uid" is 7
  return DecimalNumber(digits);
}

// The sections "Connection1" … "Connection<total>" that the file has. The file's sections
// are walked rather than the numbers, so a damaged, huge Total costs nothing.
std::vector<std::string> OldSections(const TProfileText& ini, std::int32_t total) {
  const std::string prefix = k_connectionPrefix;
  std::vector<std::string> old;
  for (const std::string& name : ini.SectionNames()) {
    if (!gbk::StartsWithNoCase(name, prefix)) continue;
    const std::int32_t number = DecimalNumber(name.substr(prefix.size()));
    if (number >= 1 && number <= total) old.push_back(name);
  }
  return old;
}

std::string ConnectionSection(std::int32_t number) { return k_connectionPrefix + std::to_string(number); }

TOneConnection ReadConnection(const TProfileText& ini, const std::string& section) {
  TOneConnection c;
  c.Name = ini.ReadString(section, "Name", "");
  c.POP3Server = ini.ReadString(section, "POP3Server", "");
  ReadSecurityKeys(ini, section, c);
  c.POP3Port = ini.ReadInteger(section, "POP3Port", DefaultPop3Port(c.Security));
  c.Account = ini.ReadString(section, "Account", "");
  c.Password = Scramble(ini.ReadString(section, "Password", ""), std::string(), false);
  c.Enabled = ini.ReadInteger(section, "Enabled", 0) != 0;
  c.LeaveIt = ini.ReadInteger(section, "LeaveIt", 1) != 0;
  c.UidlFile = ini.ReadString(section, "UidlFile", "");
  return c;
}

void WriteConnection(TProfileText& ini, const std::string& section, const TOneConnection& c) {
  ini.WriteString(section, "Name", c.Name);
  ini.WriteString(section, "POP3Server", c.POP3Server);
  ini.WriteInteger(section, "POP3Port", c.POP3Port);
  ini.WriteString(section, "Account", c.Account);
  ini.WriteString(section, "Password", Scramble(c.Password, std::string(), true));
  ini.WriteInteger(section, "Enabled", c.Enabled ? 1 : 0);
  ini.WriteInteger(section, "LeaveIt", c.LeaveIt ? 1 : 0);
  ini.WriteString(section, "UidlFile", c.UidlFile);
  WriteSecurityKeys(ini, section, c);
}

}  // namespace

void ReadSecurityKeys(const TProfileText& ini, const std::string& section, TOneConnection& account) {
  account.Security = MailSecurityFromNumber(ini.ReadInteger(section, k_securityKey, 0));
  account.TrustedCert = ini.ReadString(section, k_trustedCertKey, "");
  account.Apop = ini.ReadInteger(section, k_apopKey, 0) != 0;
}

void WriteSecurityKeys(TProfileText& ini, const std::string& section, const TOneConnection& account) {
  if (account.Security != TMailSecurity::Plain)
    ini.WriteInteger(section, k_securityKey, static_cast<std::int32_t>(account.Security));
  if (!account.TrustedCert.empty()) ini.WriteString(section, k_trustedCertKey, account.TrustedCert);
  if (account.Apop) ini.WriteInteger(section, k_apopKey, 1);
}

void EraseSecurityKeys(TProfileText& ini, const std::string& section) {
  for (const char* key : {k_securityKey, k_trustedCertKey, k_apopKey}) ini.EraseKey(section, key);
}

TConnections::TConnections(std::string iniPath) : iniPath_(std::move(iniPath)) { Load(); }

void TConnections::Load() {
  items_.clear();
  const TProfileText ini = TProfileFile(iniPath_).Load();
  const std::int32_t total = std::min(ini.ReadInteger(k_listSection, k_totalKey, 0), k_maxConnections);
  for (std::int32_t i = 1; i <= total; ++i) items_.push_back(ReadConnection(ini, ConnectionSection(i)));
}

void TConnections::Save() const {
  const TProfileFile file(iniPath_);
  TProfileText ini = file.Load();
  for (const std::string& section : OldSections(ini, ini.ReadInteger(k_listSection, k_totalKey, 0)))
    ini.EraseSection(section);
  ini.EraseSection(k_listSection);
  ini.WriteInteger(k_listSection, k_totalKey, static_cast<std::int32_t>(items_.size()));
  for (std::size_t i = 0; i < items_.size(); ++i)
    WriteConnection(ini, ConnectionSection(static_cast<std::int32_t>(i + 1)), items_[i]);
  file.Store(ini);
}

std::int32_t TConnections::FreeUidlNumber() const {
  std::set<std::int32_t> taken;
  for (const TOneConnection& c : items_) taken.insert(UidlNumber(c.UidlFile));
  for (std::int32_t n = 1; n <= k_uidlNumbers; ++n)
    if (taken.count(n) == 0) return n;
  return k_uidlNumbers + 1;
}

std::string TConnections::NewUidlFile() const { return std::to_string(FreeUidlNumber()) + k_uidlSuffix; }
