// init: the mail client's start-up check over the home folder's ini file.
#include "platform/console.h"
#include "quillet/cli/cli_context.h"
#include "quillet/cli/home_folder.h"
#include "quillet/store/system/setup_manager.h"
#include "quillet/store/system/startup_check.h"

namespace {

constexpr int k_startupFailed = 2;

}  // namespace

// The home folder plays the part of the command line's directory argument.
int RunInitCommand(TCliContext& ctx, TUserPrompts& prompts) {
  TCliOptions(ctx.args, {}, {}).ExpectPositional(0, 0);
  const TStartupPlace place{ClientIniPath(ctx.home), ctx.home, platform::ExecutablePath(),
                            platform::ExecutableFolder()};
  if (!RunStartupCheck(place, prompts)) return k_startupFailed;
  WriteRaw(platform::PathToUtf8(TSetupManager(place.iniPath).ReadString("System", "mailroot")) + "\n");
  return 0;
}
