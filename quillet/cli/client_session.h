// The system manager as the mail client's commands open it: over the ini file in the
// home folder, with the command line answering questions and showing status texts.
#pragma once

#include <memory>
#include <string>

#include "quillet/cli/cli_context.h"
#include "quillet/store/system/system_manager.h"

// Status texts go to stderr, so that stdout holds only a command's own output.
class TCliEvents : public TSystemEvents {
 public:
  void MailboxCountersChanged(TIdxFile&) override {}
  void MailboxCipherChanged(TBoxObject&) override {}
  void StatusText(const std::string& text) override { PrintError(text); }
  void BusyCursor(bool) override {}
  void MessagesChanged(TBoxObject&, const std::vector<std::int32_t>&) override {}
};

// The start-up check failed (its message was shown); the program exits with code 2.
class EStartupFailed : public Exception {
 public:
  EStartupFailed() : Exception("start-up check failed") {}
};

class TClientSession {
 public:
  // Runs the start-up check of the ini file and mail root as the client does at start
  // (the home folder is the command line's directory), then opens the manager. Throws
  // EStartupFailed, or as TSystemManager's constructor does.
  TClientSession(const TCliContext& ctx, TUserPrompts& prompts);
  TSystemManager& Manager() { return *manager_; }

 private:
  TCliEvents events_;
  std::unique_ptr<TAddressService> addressService_;  // outlives the manager that uses it
  std::unique_ptr<TSystemManager> manager_;
};
