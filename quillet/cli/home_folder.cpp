#include "quillet/cli/home_folder.h"

#include "platform/console.h"
#include "quillet/common/paths.h"

std::string ResolveHomeFolder(const std::string& homeOption) {
  if (!homeOption.empty()) return homeOption;
  std::string home = platform::GetEnvironment("QUILLET_HOME");
  return home.empty() ? platform::ExecutableFolder() : home;
}

std::string ClientIniPath(const std::string& home) { return paths::WithTrailingSeparator(home) + "quillet.INI"; }
