#include "quillet/frame/export_file_name.h"

#include <array>

#include "quillet/common/gbk.h"
#include "quillet/common/paths.h"

std::string ExportFileName(const std::string& name, int filterIndex) {
  static constexpr std::array<const char*, 3> k_extensions = {{".eml", ".msg", ".txt"}};
  if (filterIndex < 1 || filterIndex > static_cast<int>(k_extensions.size())) return name;
  const std::string extension = k_extensions[static_cast<std::size_t>(filterIndex - 1)];
  if (gbk::EqualNoCase(paths::Extension(name), extension)) return name;
  return name + extension;
}

std::vector<std::pair<std::string, std::string>> FilterEntries(const std::string& filter) {
  std::vector<std::string> parts(1);
  for (std::size_t at = 0; at < filter.size(); at = gbk::NextChar(filter, at)) {
    if (filter[at] == '|') parts.emplace_back();
    else parts.back().append(filter, at, gbk::CharLength(filter, at));
  }
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) entries.emplace_back(parts[i], parts[i + 1]);
  return entries;
}
