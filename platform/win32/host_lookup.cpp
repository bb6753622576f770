// Asynchronous host look-ups. WinSock writes its reply into a buffer of ours and tells a
// relay window; the relay copies the addresses into the caller's buffer and hands the reply
// on. A cancelled look-up is dropped at the relay: some WinSock implementations still
// answer (and write the buffer) after a successful cancel, and the caller's buffer may be
// gone by then.
#include <winsock2.h>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/host_entry.h"
#include "platform/socket.h"

namespace platform {

namespace {

// The relay's own message; the look-up handle comes as the word parameter.
constexpr unsigned k_relayMessage = k_userMessage + 1;

struct TPendingLookup {
  WindowHandle window = 0;
  unsigned message = 0;
  char* callerBuffer = nullptr;
  int callerSize = 0;
  bool cancelled = false;
  std::unique_ptr<char[]> reply{new char[MAXGETHOSTSTRUCT]};
};

// The look-ups whose reply has not come back, on the thread that pumps.
std::map<LookupHandle, TPendingLookup>& PendingLookups() {
  static std::map<LookupHandle, TPendingLookup> pending;
  return pending;
}

std::vector<std::uint32_t> AddressesOf(const char* reply) {
  std::vector<std::uint32_t> addresses;
  const auto* entry = reinterpret_cast<const hostent*>(reply);
  if (entry->h_addrtype != AF_INET || entry->h_length != 4 || entry->h_addr_list == nullptr)
    return addresses;
  for (char** address = entry->h_addr_list; *address != nullptr; ++address) {
    std::uint32_t value = 0;
    std::memcpy(&value, *address, sizeof value);
    addresses.push_back(value);
  }
  return addresses;
}

void Relay(LookupHandle handle, std::intptr_t lParam) {
  auto found = PendingLookups().find(handle);
  if (found == PendingLookups().end()) return;
  TPendingLookup lookup = std::move(found->second);
  PendingLookups().erase(found);
  if (lookup.cancelled) return;
  int error = WSAGETASYNCERROR(lParam);
  WriteHostEntry(lookup.callerBuffer, lookup.callerSize,
                 error == 0 ? AddressesOf(lookup.reply.get()) : std::vector<std::uint32_t>());
  SendWindowMessage(lookup.window, lookup.message, handle, lParam);
}

THiddenWindow& RelayWindow() {
  static THiddenWindow relay([](const TWindowMessage& message, std::intptr_t&) {
    if (message.message != k_relayMessage) return false;
    Relay(message.wParam, message.lParam);
    return true;
  });
  return relay;
}

}  // namespace

LookupHandle StartHostLookup(WindowHandle window, unsigned message, const std::string& host,
                             char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize < k_hostEntrySize) {
    WSASetLastError(WSAENOBUFS);
    return 0;
  }
  TPendingLookup lookup;
  HANDLE started = WSAAsyncGetHostByName(reinterpret_cast<HWND>(RelayWindow().Handle()),
                                         k_relayMessage, host.c_str(), lookup.reply.get(),
                                         MAXGETHOSTSTRUCT);
  if (started == nullptr) return 0;
  lookup.window = window;
  lookup.message = message;
  lookup.callerBuffer = buffer;
  lookup.callerSize = bufferSize;
  auto handle = reinterpret_cast<LookupHandle>(started);
  PendingLookups()[handle] = std::move(lookup);
  return handle;
}

int CancelHostLookup(LookupHandle lookup) {
  auto found = PendingLookups().find(lookup);
  if (found == PendingLookups().end() || found->second.cancelled) return WSAEINVAL;
  // WinSock's own buffer stays with the entry until a late reply comes back.
  found->second.cancelled = true;
  WSACancelAsyncRequest(reinterpret_cast<HANDLE>(lookup));
  return 0;
}

bool FirstHostAddress(const char* buffer, std::uint32_t& address) {
  return FirstHostEntryAddress(buffer, address);
}

}  // namespace platform
