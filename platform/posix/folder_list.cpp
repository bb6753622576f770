#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/file.h"

namespace platform {

std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& ext) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st;
    if (name.size() <= ext.size() || ::strcasecmp(name.c_str() + name.size() - ext.size(), ext.c_str()) != 0) continue;
    if (::stat((prefix + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform
