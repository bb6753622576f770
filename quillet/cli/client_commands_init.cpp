// init: the mail client's start-up: the check of the ini file and mail root (the first
// run creates them), then the system manager, which creates the standard mailboxes.
#include "platform/console.h"
#include "quillet/cli/cli_context.h"
#include "quillet/cli/client_session.h"

int RunInitCommand(TCliContext& ctx, TUserPrompts& prompts) {
  TCliOptions(ctx.args, {}, {}).ExpectPositional(0, 0);
  TClientSession session(ctx, prompts);
  WriteRaw(platform::PathToUtf8(session.Manager().Setup().ReadString("System", "mailroot")) + "\n");
  return 0;
}
