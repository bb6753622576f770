// quillet-cli: the mail core without a window.
//   quillet-cli [--home DIR] [--yes|--no] [--password-file FILE] COMMAND [ARGS]
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/console.h"
#include "quillet/cli/cli_context.h"
#include "quillet/cli/client_session.h"
#include "quillet/cli/home_folder.h"

namespace {

const char k_usage[] =
    "usage: quillet-cli [--home DIR] [--yes|--no] [--password-file FILE] COMMAND [ARGS]\n"
    "commands:\n"
    "  box create|append|list|sort|read|delete|delete-all|move|mark|title|pack|needs-pack|check|info ...\n"
    "  msg headers|field|text|parts|attachments|extract FILE|--box BASE --id ID ...\n"
    "  codec base64-encode|base64-decode|qp-encode|qp-decode|uu-encode|uu-decode|hz-decode\n"
    "  header decode-words TEXT | header date TEXT\n"
    "  convert gb2big5|big52gb   (stdin to stdout)\n"
    "  password scramble|descramble TEXT [KEY]\n"
    "mail client (quillet.INI in the home folder):\n"
    "  init | config get SECTION KEY | config set SECTION KEY VALUE\n"
    "  boxes | mailbox new NAME | mailbox rename OLD NEW | mailbox delete NAME | deliver FILE\n"
    "  pack [BOX|--all] [--if-needed] | mark BOX ID... FLAG | move BOX ID DEST | delete BOX ID...\n"
    "  empty-trash | import BOX FILE | export BOX ID... FILE\n"
    "  compose --to ADDR... [--cc ADDR]... [--bcc ADDR]... [--reply-to A] --subject T [--body F] [--attach F]... [--priority 1|3|5] [--save]\n"
    "  encrypt BOX [--password P] | decrypt BOX [--password P]\n"
    "  rules list | rules add [--from T] [--to T] [--cc T] [--subject T] --target NAME [--disabled] | rules remove N\n"
    "  addr add NAME ADDRESS | addr group NAME MEMBER... | addr lookup NAME | addr expand LIST\n"
    "  addr list   (ID TAB card TAB NAME TAB ADDRESS, or ID TAB group TAB NAME TAB MEMBER-IDS)\n"
    "  accounts list | accounts add --name N --server HOST [--port P] --user U [--password P] [--no-leave]\n"
    "           [--disabled] | accounts remove INDEX\n"
    "  receive [--headers-only] [--quiet] | send | send-receive\n";

int Dispatch(const std::string& command, TCliContext& ctx) {
  TCliPrompts prompts(ctx.answer, ctx.passwordFile);
  if (command == "box") return RunBoxCommand(ctx, prompts);
  if (command == "msg") return RunMsgCommand(ctx);
  if (command == "codec") return RunCodecCommand(ctx);
  if (command == "header") return RunHeaderCommand(ctx);
  if (command == "convert") return RunConvertCommand(ctx, prompts);
  if (command == "rules") return RunRulesCommand(ctx, prompts);
  if (command == "accounts") return RunAccountsCommand(ctx, prompts);
  if (command == "addr") return RunAddrCommand(ctx, prompts);
  if (command == "password") return RunPasswordCommand(ctx);
  if (command == "init") return RunInitCommand(ctx, prompts);
  if (command == "config") return RunConfigCommand(ctx);
  if (command == "compose") return RunComposeCommand(ctx, prompts);
  if (command == "receive" || command == "send" || command == "send-receive")
    return RunTransferCommand(command, ctx, prompts);
  if (TClientCommand client = FindClientCommand(command)) return client(ctx, prompts);
  throw ECliUsage("unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
  platform::SetBinaryStdio();
  TCliContext ctx;
  std::vector<std::string> args = platform::CommandLineArguments(argc, argv);
  size_t i = 0;
  try {
    for (; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (a == "--home" && i + 1 < args.size()) ctx.home = args[++i];
      else if (a == "--yes") ctx.answer = TCliAnswer::Yes;
      else if (a == "--no") ctx.answer = TCliAnswer::No;
      // Kept for the commands that log in to a server (receive, send, send-receive): they
      // read the password of an account that has none stored from this file.
      else if (a == "--password-file" && i + 1 < args.size()) ctx.passwordFile = args[++i];
      else break;
    }
    if (i >= args.size()) throw ECliUsage("no command given");
    ctx.home = ResolveHomeFolder(ctx.home);
    std::string command = args[i];
    ctx.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    int status = Dispatch(command, ctx);
    std::fflush(stdout);
    return status;
  } catch (const EStartupFailed&) {
    std::fflush(stdout);
    return 2;
  } catch (const ECliUsage& e) {
    std::fprintf(stderr, "quillet-cli: %s\n%s", e.Message().c_str(), k_usage);
  } catch (const Exception& e) {
    std::fflush(stdout);
    PrintError(e.Message());
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", e.what());
  }
  return 1;
}
