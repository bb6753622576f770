#include "quillet/message/codec/codecs.h"

#include "quillet/common/gbk.h"
#include "quillet/common/paths.h"

namespace {

constexpr TMimeHelperRow k_rows[] = {
    {"text/html", ".HTM"},  {"audio/aiff", ".AIF"}, {"audio/basic", ".AU"}, {"image/gif", ".GIF"},
    {"image/jpeg", ".JPG"}, {"video/avi", ".AVI"},  {"text/rtf", ".RTF"},
};
constexpr int k_rowCount = sizeof k_rows / sizeof k_rows[0];
constexpr size_t k_extensionLength = 5;  // the dot and four letters

}  // namespace

const TMimeHelperRow* TMimeHelper::Rows() { return k_rows; }

int TMimeHelper::RowCount() { return k_rowCount; }

std::string ContentTypeOfFile(const std::string& fileName) {
  std::string extension = gbk::UpperCase(paths::Extension(fileName)).substr(0, k_extensionLength);
  if (!extension.empty()) {
    for (const TMimeHelperRow& row : k_rows) {
      if (extension == row.extension) return row.contentType;
    }
  }
  return "application/octet-stream";
}

std::string FileNameForType(const std::string& fileName, const std::string& contentType) {
  std::string name = paths::FileNamePart(fileName);
  std::string type = gbk::LowerCase(contentType);
  for (const TMimeHelperRow& row : k_rows) {
    if (type != row.contentType) continue;
    std::string base = paths::WithoutExtension(name);
    return (base.empty() ? std::string("unknown") : base) + row.extension;
  }
  return name;
}
