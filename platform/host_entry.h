// The form in which a host look-up leaves its addresses in the caller's buffer, the same
// on both platforms: "QHE1", a 32-bit count, then the IPv4 addresses (network order), as
// many as fit. The platform writes it on the thread that pumps, when the reply is handed
// over, so a cancelled look-up never writes into a buffer that may be gone.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

void WriteHostEntry(char* buffer, int size, const std::vector<std::uint32_t>& addresses);
bool FirstHostEntryAddress(const char* buffer, std::uint32_t& address);

}  // namespace platform
