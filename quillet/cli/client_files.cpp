#include "quillet/cli/client_files.h"

#include "platform/file.h"
#include "quillet/cli/home_folder.h"
#include "quillet/store/system/setup_manager.h"

std::string ClientMailRoot(const TCliContext& ctx) {
  const std::string root = TSetupManager(ClientIniPath(ctx.home)).ReadString("System", "mailroot");
  if (root.empty() || !platform::DirectoryExists(root)) throw Exception("Directory not find: " + root);
  return root;
}
