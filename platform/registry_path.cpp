// Shared by both registry implementations.
#include "platform/registry.h"

namespace platform {

std::string RegistryRelativePath(const std::string& key) {
  // The first byte of a text is never a trail byte, so every leading 0x5C is a "\".
  const std::size_t start = key.find_first_not_of('\\');
  return start == std::string::npos ? std::string() : key.substr(start);
}

}  // namespace platform
