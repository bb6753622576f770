// What the setup dialog edits, read from the ini file and written back with exactly the
// keys the rest of the client reads: the personal information and the own account in
// [Connection] (mail_accounts.h for the server keys), leave-on-server in [Receive]
// "LeaveInServer", the signature (signature_setting.h), the settings of system_settings.h
// and the further accounts (connections.h).
#pragma once

#include <string>
#include <vector>

#include "quillet/frame/signature_setting.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/mail_accounts.h"

struct TAccountSetup {
  // [Connection] "name", "MailAddress", "ReplyAddress", "Organization".
  std::string Name;
  std::string MailAddress;
  std::string ReplyAddress;
  std::string Organization;
  // The own account as a receive sees it (DefaultAccount): server, port, user, password,
  // security keys and LeaveIt.
  TOneConnection Pop3;
  // The send server with its own login as stored: empty Account means the POP3 login.
  TSmtpServer Smtp;
  TSignatureSetting Signature;
};

struct TSetupValues {
  TAccountSetup Account;
  TSystemSettings Settings;
  std::vector<TOneConnection> Connections;
};

// The values as the ini file and the running manager hold them now.
TSetupValues LoadSetupValues(TSystemManager& manager);

// Writes `after` and makes the running manager use it: the account keys in one
// replacement of the file (passwords scrambled, an empty one stored empty, an empty trusted
// certificate as no key), then the manager's settings, then the further accounts. A further
// account that is new or gone loses the seen-identifier file of its name (a new one must
// not inherit an old list). Throws EFileException, or Exception for a text that cannot be
// stored on an ini line; what was written before the failure stays.
void ApplySetupValues(TSystemManager& manager, const TSetupValues& before, const TSetupValues& after);

// A further account made by the dialog's Add: enabled, leaving mail on the server, with
// the first seen-identifier file name that neither the list being edited nor the saved
// one (`saved`) uses, so that it never takes over the list of an account just removed.
TOneConnection NewConnection(const std::vector<TOneConnection>& edited, const std::vector<TOneConnection>& saved);
