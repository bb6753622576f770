// What every command of quillet-cli shares: its arguments, the answers given as options,
// and the two kinds of output (system texts as UTF-8, raw bytes unchanged).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/exceptions.h"
#include "quillet/common/user_prompts.h"

// A wrong command line; main prints the usage text and exits 1.
class ECliUsage : public Exception {
 public:
  using Exception::Exception;
};

enum class TCliAnswer { Ask, Yes, No };

struct TCliContext {
  std::string home;             // --home, else QUILLET_HOME, else the executable's folder
  TCliAnswer answer = TCliAnswer::Ask;
  // --password-file: the password of an account that needs one and has none stored. Read
  // by the commands that log in to a server (receive, send, send-receive).
  std::string passwordFile;
  std::vector<std::string> args;  // the command's own arguments, after its name(s)
};

// Answers questions from --yes/--no, else the terminal; a non-interactive run says No.
class TCliPrompts : public TUserPrompts {
 public:
  explicit TCliPrompts(TCliAnswer answer, std::string passwordFile = std::string())
      : answer_(answer), passwordFile_(std::move(passwordFile)) {}
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  // The first line of --password-file, else the terminal without echo; a
  // non-interactive run without the file cancels.
  bool AskPassword(const std::string& question, std::string& password) override;

 private:
  TCliAnswer answer_;
  std::string passwordFile_;
};

// A system text (GBK) to stdout or stderr as UTF-8.
void PrintText(const std::string& gbkText);
void PrintLine(const std::string& gbkText);
void PrintError(const std::string& gbkText);
// Bytes to stdout as they are.
void WriteRaw(const std::string& bytes);
// A command-line text argument in the system code page.
std::string ArgumentText(const std::string& arg);

// Option parsing over ctx.args: flags and valued options may stand anywhere after the
// command; what is left are the positional arguments in order.
class TCliOptions {
 public:
  TCliOptions(const std::vector<std::string>& args, const std::vector<std::string>& flags,
              const std::vector<std::string>& valued);
  bool Has(const std::string& name) const;
  // The last value given for a valued option; fallback when absent.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  bool HasValue(const std::string& name) const;
  // Every value given for a repeatable valued option, in order.
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Positional() const { return positional_; }
  // Throws ECliUsage unless there are between min and max positional arguments.
  void ExpectPositional(size_t min, size_t max) const;

 private:
  std::vector<std::string> flagsSeen_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> positional_;
};

// Whole-number argument or ECliUsage naming the argument.
std::int64_t ParseNumber(const std::string& text, const std::string& what);
// A message id argument or ECliUsage.
std::int32_t ParseId(const std::string& text);
// Reads a file, or stdin for "-"; throws EFileException kind open/read.
std::string ReadInputFile(const std::string& path);
// "YYYY-MM-DD HH:MM:SS" of a date value.
std::string FormatCliDate(double date);

// Each command group returns the process exit status, or throws.
int RunBoxCommand(TCliContext& ctx, TUserPrompts& prompts);
int RunMsgCommand(TCliContext& ctx);
int RunCodecCommand(TCliContext& ctx);
int RunHeaderCommand(TCliContext& ctx);
// convert gb2big5|big52gb: stdin to stdout through MCHSET; 1 when it cannot be loaded.
int RunConvertCommand(TCliContext& ctx, TUserPrompts& prompts);
int RunRulesCommand(TCliContext& ctx, TUserPrompts& prompts);
int RunAccountsCommand(TCliContext& ctx, TUserPrompts& prompts);
int RunPasswordCommand(TCliContext& ctx);
// addr add|group|list|lookup|expand on the default address book (addr_commands.cpp).
int RunAddrCommand(TCliContext& ctx, TUserPrompts& prompts);
// init: the start-up check of the ini file and mail root; 2 when it fails.
int RunInitCommand(TCliContext& ctx, TUserPrompts& prompts);
// config get SECTION KEY | config set SECTION KEY VALUE, in the home folder's ini file.
int RunConfigCommand(TCliContext& ctx);
// compose --to ADDR ... --subject TEXT ...: a message into the outbox; prints its id.
int RunComposeCommand(TCliContext& ctx, TUserPrompts& prompts);
// receive [--headers-only] [--quiet] | send | send-receive (transfer_commands.cpp).
int RunTransferCommand(const std::string& command, TCliContext& ctx, TUserPrompts& prompts);
// The mail client's commands (client_commands.cpp); nullptr when `command` is none of them.
using TClientCommand = int (*)(TCliContext& ctx, TUserPrompts& prompts);
TClientCommand FindClientCommand(const std::string& command);
