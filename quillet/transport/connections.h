// The user's further POP3 accounts, kept in the ini file: section "OtherConnections" with
// "Total", and account i (from 1) in section "Connection<i>" with one key per field.
// Passwords are stored scrambled with the default key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/transport/mail_security.h"

// The POP3 port of a security when the ini file names none.
constexpr std::int32_t DefaultPop3Port(TMailSecurity security) {
  return security == TMailSecurity::ImplicitTls ? 995 : 110;
}

struct TOneConnection {
  std::string Name;
  std::string POP3Server;
  std::int32_t POP3Port = 110;
  std::string Account;
  std::string Password;  // plain in memory
  bool Enabled = false;
  bool LeaveIt = true;   // leave the mail on the server
  std::string UidlFile;  // the account's list of seen identifiers, "<n>.uid"
  // Keys "POP3Security" (0 plain, 1 STLS required, 2 implicit TLS), "POP3TrustedCert" (the
  // SHA-256 fingerprint of a server certificate the user trusts) and "APOP" (1: APOP when
  // the greeting has a timestamp); written only when they differ from these defaults, so
  // a file without them reads and writes as before.
  TMailSecurity Security = TMailSecurity::Plain;
  std::string TrustedCert;
  bool Apop = false;
};

class TProfileText;
// The security keys of an account's section (either [Connection] or [Connection<i>]).
void ReadSecurityKeys(const TProfileText& ini, const std::string& section, TOneConnection& account);
void WriteSecurityKeys(TProfileText& ini, const std::string& section, const TOneConnection& account);
// Removes them, so that WriteSecurityKeys over a section that is kept leaves no old value.
void EraseSecurityKeys(TProfileText& ini, const std::string& section);

class TConnections {
 public:
  // At most this many accounts are read: each needs its own number for its UIDL file.
  static constexpr std::int32_t k_maxConnections = 1000;

  // Reads the list at once (a missing file or section is an empty list).
  explicit TConnections(std::string iniPath);

  // Replaces the list with the file's accounts 1 to Total (at most k_maxConnections). A
  // password that cannot be descrambled reads as empty.
  void Load();
  // Writes the list in one replacement of the file: the sections of the accounts of the
  // old Total and the "OtherConnections" section go, then Total and every account are
  // written. Throws (EFileException, or Exception for a field that cannot be stored on an
  // ini line) with the file unchanged.
  void Save() const;
  // The smallest n from 1 to 1000 that no account's UidlFile has as the number before its
  // first "."; 1001 when all are taken.
  std::int32_t FreeUidlNumber() const;
  // The UIDL file name for a new account: FreeUidlNumber() followed by ".uid".
  std::string NewUidlFile() const;

  std::vector<TOneConnection>& Items() { return items_; }
  const std::vector<TOneConnection>& Items() const { return items_; }
  const std::string& IniPath() const { return iniPath_; }
  // Set by whoever changed the list, so the caller knows to save it.
  bool Modified = false;

 private:
  std::string iniPath_;
  std::vector<TOneConnection> items_;
};
