#include "quillet/common/paths.h"

#include "platform/file.h"
#include "quillet/common/gbk.h"

namespace paths {

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

std::size_t FileNameStart(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i = gbk::NextChar(path, i))
    if (IsSeparator(path[i])) start = i + 1;
  return start;
}

std::string FileNamePart(const std::string& path) { return path.substr(FileNameStart(path)); }

std::string FolderPart(const std::string& path) { return path.substr(0, FileNameStart(path)); }

std::string Extension(const std::string& path) {
  const std::size_t start = FileNameStart(path);
  const std::size_t dot = path.rfind('.');
  return dot == std::string::npos || dot < start ? std::string() : path.substr(dot);
}

std::string WithoutExtension(const std::string& path) { return path.substr(0, path.size() - Extension(path).size()); }

bool EndsWithSeparator(const std::string& path) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < path.size(); i = gbk::NextChar(path, i)) last = i;
  return last + 1 == path.size() && (path[last] == '\\' || path[last] == '/');
}

std::string WithTrailingSeparator(const std::string& folder) {
  if (folder.empty() || EndsWithSeparator(folder)) return folder;
  return folder + platform::PathSeparator();
}

}  // namespace paths
