// config get|set: one value of the home folder's ini file, as it is stored (passwords stay
// scrambled). Needs no initialised mail root.
#include "quillet/cli/cli_context.h"
#include "quillet/cli/home_folder.h"
#include "quillet/store/system/setup_manager.h"

int RunConfigCommand(TCliContext& ctx) {
  const TCliOptions options(ctx.args, {}, {});
  const std::vector<std::string>& args = options.Positional();
  const TSetupManager setup(ClientIniPath(ctx.home));
  if (!args.empty() && args[0] == "get") {
    options.ExpectPositional(3, 3);
    PrintLine(setup.ReadString(ArgumentText(args[1]), ArgumentText(args[2])));  // missing: an empty line
    return 0;
  }
  if (!args.empty() && args[0] == "set") {
    options.ExpectPositional(4, 4);
    setup.WriteString(ArgumentText(args[1]), ArgumentText(args[2]), ArgumentText(args[3]));
    return 0;
  }
  throw ECliUsage("config needs get or set");
}
