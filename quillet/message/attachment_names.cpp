#include "quillet/message/attachment_names.h"

#include <cctype>
#include <cstring>

namespace {

constexpr size_t k_maxNameBytes = 200;
constexpr size_t k_maxKeptExtension = 16;

bool IsGbkLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsGbkTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Bytes of the character at i: 2 for a GBK double-byte character, else 1.
size_t CharLength(const std::string& text, size_t i) {
  return i + 1 < text.size() && IsGbkLead(static_cast<unsigned char>(text[i])) &&
                 IsGbkTrail(static_cast<unsigned char>(text[i + 1]))
             ? 2
             : 1;
}

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

bool IsForbidden(char c) {
  return static_cast<unsigned char>(c) < 0x20 || (c != '\0' && std::strchr("<>:\"/\\|?*", c) != nullptr);
}

std::string FinalComponent(const std::string& name) {
  size_t start = 0;
  for (size_t i = 0; i < name.size(); i += CharLength(name, i))
    if (CharLength(name, i) == 1 && IsSeparator(name[i])) start = i + 1;
  return name.substr(start);
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

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Windows opens a device for these names, whatever extension follows.
bool IsDeviceName(const std::string& name) {
  std::string base = Upper(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         std::isdigit(static_cast<unsigned char>(base[3]));
}

// The first bytes of text that fit in limit without cutting a double-byte character.
std::string CutAtCharacter(const std::string& text, size_t limit) {
  size_t end = 0;
  while (end < text.size()) {
    size_t n = CharLength(text, end);
    if (end + n > limit) break;
    end += n;
  }
  return text.substr(0, end);
}

std::string Shorten(const std::string& name) {
  if (name.size() <= k_maxNameBytes) return name;
  size_t dot = name.rfind('.');
  std::string extension;
  if (dot != std::string::npos && name.size() - dot <= k_maxKeptExtension && dot > 0)
    extension = name.substr(dot);
  return CutAtCharacter(name.substr(0, name.size() - extension.size()), k_maxNameBytes - extension.size()) +
         extension;
}

}  // namespace

std::string SafeAttachmentName(const std::string& name) {
  if (name.empty()) return name;
  std::string safe = TrimDotsAndSpaces(ReplaceForbidden(FinalComponent(name)));
  safe = TrimDotsAndSpaces(Shorten(safe));
  if (safe.empty()) return "unknown";
  if (IsDeviceName(safe)) safe = "_" + safe;
  return safe;
}
