#include "quillet/store/system/box_file_name.h"

#include "quillet/common/gbk.h"

namespace {

constexpr std::size_t k_maxStemLength = 32;
constexpr std::size_t k_maxFileNameLength = 40;
constexpr char k_fallbackStem[] = "box";

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// Names Windows gives to devices whatever their extension.
bool IsDeviceName(const std::string& name) {
  const std::string lower = gbk::LowerCase(name);
  if (lower == "con" || lower == "prn" || lower == "aux" || lower == "nul") return true;
  return lower.size() == 4 && (lower.compare(0, 3, "com") == 0 || lower.compare(0, 3, "lpt") == 0) &&
         lower[3] >= '0' && lower[3] <= '9';
}

}  // namespace

std::string NewBoxFileName(const std::string& displayName, const std::function<bool(const std::string&)>& taken) {
  std::string stem;
  for (std::size_t i = 0; i < displayName.size() && stem.size() < k_maxStemLength; i = gbk::NextChar(displayName, i))
    if (gbk::CharLength(displayName, i) == 1 && IsNameCharacter(displayName[i])) stem += displayName[i];
  if (stem.empty()) stem = k_fallbackStem;
  std::string candidate = stem;
  for (int number = 1; IsDeviceName(candidate) || taken(candidate); ++number) candidate = stem + std::to_string(number);
  return candidate;
}

bool IsPlainBoxFileName(const std::string& fileName) {
  if (fileName.empty() || fileName.size() > k_maxFileNameLength || IsDeviceName(fileName)) return false;
  for (char c : fileName)
    if (!IsNameCharacter(c)) return false;
  return true;
}
