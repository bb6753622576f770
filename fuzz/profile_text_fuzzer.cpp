// Reads the fuzzed bytes as an ini file: they must come back byte for byte, and a key
// written into any section found must read back, until the section is erased.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/common/exceptions.h"
#include "quillet/common/profile_text.h"

namespace {
constexpr std::size_t k_sectionsChecked = 8;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TProfileText text(input);
  if (text.Bytes() != input) std::abort();
  const auto names = text.SectionNames();
  for (std::size_t i = 0; i < names.size() && i < k_sectionsChecked; ++i) {
    if (!text.SectionExists(names[i])) std::abort();
    text.ReadInteger(names[i], "Total", 0);
    try {
      text.WriteString(names[i], "fuzz key", "value 1");
    } catch (const Exception&) {
      continue;  // a name that cannot be written back (a line break in it)
    }
    if (text.ReadString(names[i], " FUZZ KEY ", "") != "value 1") std::abort();
    if (TProfileText(text.Bytes()).Bytes() != text.Bytes()) std::abort();
    text.EraseKey(names[i], "Fuzz Key");
    if (text.ReadString(names[i], "fuzz key", "none") != "none") std::abort();
  }
  for (const auto& name : names) text.EraseSection(name);
  if (!text.SectionNames().empty()) std::abort();
  if (input.size() < 32) return 0;
  try {
    text.WriteString(input.substr(0, 16), input.substr(16, 16), input.substr(32));
    if (text.SectionNames().size() != 1) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
