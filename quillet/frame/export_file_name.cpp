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
