#include "quillet/message/parser/attachment_names.h"

#include <cctype>
#include <cstring>

#include "quillet/message/codec/codecs.h"
#include "quillet/common/gbk.h"

namespace {

using gbk::CharLength;

constexpr size_t k_maxNameBytes = 200;
constexpr size_t k_maxKeptExtension = 16;

bool IsForbidden(char c) {
  return static_cast<unsigned char>(c) < 0x20 || (c != '\0' && std::strchr("<>:\"/\\|?*", c) != nullptr);
}

std::string ReplaceForbidden(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) {
    size_t n = CharLength(name, i);
    if (n == 1 && IsForbidden(name[i])) out += '_';
    else out.append(name, i, n);
    i += n;
  }
  return out;
}

// Dots and spaces are single-byte and can never be a trail byte, so plain byte trimming
// keeps double-byte characters whole.
std::string TrimDotsAndSpaces(const std::string& name) {
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = name.find_last_not_of(". ");
  if (last == std::string::npos || last < first) return std::string();
  return name.substr(first, last - first + 1);
}

// Windows opens a device for these names, whatever extension follows.
bool IsDeviceName(const std::string& name) {
  std::string base = gbk::UpperCase(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         std::isdigit(static_cast<unsigned char>(base[3]));
}

std::string Shorten(const std::string& name) {
  if (name.size() <= k_maxNameBytes) return name;
  size_t dot = name.rfind('.');
  std::string extension;
  if (dot != std::string::npos && name.size() - dot <= k_maxKeptExtension && dot > 0)
    extension = name.substr(dot);
  return gbk::Cut(name.substr(0, name.size() - extension.size()), k_maxNameBytes - extension.size()) + extension;
}

}  // namespace

std::string SafeAttachmentName(const std::string& name) {
  if (name.empty()) return name;
  std::string safe = TrimDotsAndSpaces(ReplaceForbidden(ExtractFileName(name)));
  safe = TrimDotsAndSpaces(Shorten(safe));
  if (safe.empty()) return "unknown";
  if (IsDeviceName(safe)) safe = "_" + safe;
  return safe;
}
