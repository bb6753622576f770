#include "quillet/message/codec/codecs.h"

namespace {

constexpr TMimeHelperRow k_rows[] = {
    {"text/html", ".HTM"},  {"audio/aiff", ".AIF"}, {"audio/basic", ".AU"}, {"image/gif", ".GIF"},
    {"image/jpeg", ".JPG"}, {"video/avi", ".AVI"},  {"text/rtf", ".RTF"},
};
constexpr int k_rowCount = sizeof k_rows / sizeof k_rows[0];
constexpr size_t k_extensionLength = 5;  // the dot and four letters

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// A dot is never a GBK trail byte, so the last one in the file-name part starts the
// extension.
std::string ExtensionOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

const TMimeHelperRow* TMimeHelper::Rows() { return k_rows; }

int TMimeHelper::RowCount() { return k_rowCount; }

std::string ContentTypeOfFile(const std::string& fileName) {
  std::string extension = AsciiUpper(ExtensionOf(ExtractFileName(fileName))).substr(0, k_extensionLength);
  if (!extension.empty()) {
    for (const TMimeHelperRow& row : k_rows) {
      if (extension == row.extension) return row.contentType;
    }
  }
  return "application/octet-stream";
}

std::string FileNameForType(const std::string& fileName, const std::string& contentType) {
  std::string name = ExtractFileName(fileName);
  std::string type = AsciiLower(contentType);
  for (const TMimeHelperRow& row : k_rows) {
    if (type != row.contentType) continue;
    std::string base = name.substr(0, name.size() - ExtensionOf(name).size());
    return (base.empty() ? std::string("unknown") : base) + row.extension;
  }
  return name;
}
