#include "quillet/cli/client_files.h"

#include "platform/file.h"
#include "quillet/common/paths.h"
#include "quillet/store/system/setup_manager.h"

std::string ClientIniPath(const TCliContext& ctx) { return paths::WithTrailingSeparator(ctx.home) + "quillet.INI"; }

std::string ClientMailRoot(const TCliContext& ctx) {
  const std::string root = TSetupManager(ClientIniPath(ctx)).ReadString("System", "mailroot");
  if (root.empty() || !platform::DirectoryExists(root)) throw Exception("Directory not find: " + root);
  return root;
}
