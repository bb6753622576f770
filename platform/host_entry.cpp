#include <algorithm>
#include <cstring>

#include "platform/host_entry.h"

namespace platform {

namespace {
constexpr char k_hostEntryMagic[4] = {'Q', 'H', 'E', '1'};
constexpr int k_hostEntryHeader = 8;
}  // namespace

void WriteHostEntry(char* buffer, int size, const std::vector<std::uint32_t>& addresses) {
  if (buffer == nullptr || size < k_hostEntryHeader) return;
  std::uint32_t count = static_cast<std::uint32_t>(
      std::min<size_t>(addresses.size(), (size - k_hostEntryHeader) / sizeof(std::uint32_t)));
  std::memcpy(buffer, k_hostEntryMagic, sizeof k_hostEntryMagic);
  std::memcpy(buffer + 4, &count, sizeof count);
  if (count > 0) std::memcpy(buffer + k_hostEntryHeader, addresses.data(), count * sizeof(std::uint32_t));
}

bool FirstHostEntryAddress(const char* buffer, std::uint32_t& address) {
  std::uint32_t count = 0;
  if (buffer == nullptr || std::memcmp(buffer, k_hostEntryMagic, sizeof k_hostEntryMagic) != 0)
    return false;
  std::memcpy(&count, buffer + 4, sizeof count);
  if (count == 0) return false;
  std::memcpy(&address, buffer + k_hostEntryHeader, sizeof address);
  return true;
}

}  // namespace platform
