// Parameter and field lookups on arbitrary header lines: the first line is the parameter
// (and field) name, the rest are header lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/common/lines.h"
#include "quillet/message/header/header_utils.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TStringList lines = SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  if (lines.empty()) return 0;
  const std::string name = lines.front();
  lines.erase(lines.begin());
  const std::string value = GetField(lines, "Content-Type:");
  MainValue(value);
  const std::string param = GetParam(name, value);
  for (const std::string& line : lines) GetParam(name, line);
  // A found value is taken from the field value itself.
  if (param != k_unableToGet && param.size() > value.size()) std::abort();
  GetField(lines, name);
  int priority = GetPriority(lines, name);
  if (priority != 1 && priority != 3 && priority != 5) std::abort();
  std::string id;
  int number = 0, total = 0;
  GetPartialInfo(lines, id, number, total);
  if (number < 0 || total < 0) std::abort();
  TrimEmptyLines(lines);
  HasEightBit(lines);
  return 0;
}
