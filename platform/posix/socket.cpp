// WinSock's surface over posix sockets: readiness comes from the event loop as messages,
// look-ups run on a detached thread, errno becomes WinSock's numbers.
#include "platform/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/posix/event_loop.h"
#include "platform/winsock_errors.h"

namespace platform {

using posix_loop::TEventLoop;
using posix_loop::WinSockErrorOfErrno;

namespace {

thread_local int t_lastError = 0;

int Fail(int error) {
  t_lastError = error;
  return -1;
}

int LookupError(int status) {
  switch (status) {
    case EAI_AGAIN:
      return k_WSATRY_AGAIN;
    case EAI_FAIL:
      return k_WSANO_RECOVERY;
#ifdef EAI_NODATA
    case EAI_NODATA:
      return k_WSANO_DATA;
#endif
    default:
      return k_WSAHOST_NOT_FOUND;
  }
}

void LookUp(LookupHandle handle, std::string host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int status = getaddrinfo(host.c_str(), nullptr, &hints, &found);
  std::vector<std::uint32_t> addresses;
  for (addrinfo* entry = found; status == 0 && entry != nullptr; entry = entry->ai_next)
    addresses.push_back(reinterpret_cast<sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr);
  if (found != nullptr) freeaddrinfo(found);
  int error = status != 0 ? LookupError(status) : addresses.empty() ? k_WSANO_DATA : 0;
  TEventLoop::Instance().CompleteLookup(handle, error, std::move(addresses));
}

}  // namespace

int StartSockets() {
  // A peer that closed must give an error from send, not end the process.
  std::signal(SIGPIPE, SIG_IGN);
  return 0;
}

void StopSockets() {}

int LastSocketError() { return t_lastError; }

SocketHandle OpenStreamSocket() {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) {
    Fail(WinSockErrorOfErrno(errno));
    return k_invalidSocket;
  }
  return socket;
}

int CloseSocketHandle(SocketHandle socket) {
  if (socket < 0 || socket > INT_MAX) return k_WSAENOTSOCK;
  TEventLoop::Instance().ForgetSocket(static_cast<int>(socket));
  return close(static_cast<int>(socket)) == 0 ? 0 : WinSockErrorOfErrno(errno);
}

int SelectSocketEvents(SocketHandle socket, WindowHandle window, unsigned message, long events) {
  int fd = static_cast<int>(socket);
  int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return WinSockErrorOfErrno(errno);
  TEventLoop::Instance().Select(fd, window, message, events);
  return 0;
}

int ConnectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  int fd = static_cast<int>(socket);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_addr.s_addr = address;
  target.sin_port = htons(port);
  int result = connect(fd, reinterpret_cast<sockaddr*>(&target), sizeof target);
  int error = result == 0 ? 0 : WinSockErrorOfErrno(errno);
  if (!TEventLoop::Instance().IsSelected(fd)) return error;
  // As WinSock does, a selected socket always answers "would block" and reports the
  // outcome (even a refusal known at once) as its connect event.
  TEventLoop::Instance().ConnectStarted(fd, error == k_WSAEWOULDBLOCK ? 0 : error);
  t_lastError = k_WSAEWOULDBLOCK;
  return k_WSAEWOULDBLOCK;
}

int SendOnSocket(SocketHandle socket, const char* data, int size) {
  ssize_t sent = send(static_cast<int>(socket), data, size, MSG_NOSIGNAL);
  if (sent >= 0) return static_cast<int>(sent);
  int error = WinSockErrorOfErrno(errno);
  if (error == k_WSAEWOULDBLOCK) TEventLoop::Instance().SendWouldBlock(static_cast<int>(socket));
  return Fail(error);
}

int ReceiveFromSocket(SocketHandle socket, char* buffer, int size) {
  ssize_t received = recv(static_cast<int>(socket), buffer, size, 0);
  TEventLoop::Instance().ReceiveCalled(static_cast<int>(socket));
  if (received >= 0) return static_cast<int>(received);
  return Fail(WinSockErrorOfErrno(errno));
}

LookupHandle StartHostLookup(WindowHandle window, unsigned message, const std::string& host,
                             char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize < k_hostEntrySize) {
    Fail(k_WSAENOBUFS);
    return 0;
  }
  LookupHandle handle = TEventLoop::Instance().StartLookup(window, message, buffer, bufferSize);
  try {
    std::thread(LookUp, handle, host).detach();
  } catch (const std::system_error&) {
    TEventLoop::Instance().CancelLookup(handle);
    Fail(k_WSAENOBUFS);
    return 0;
  }
  return handle;
}

int CancelHostLookup(LookupHandle lookup) {
  return TEventLoop::Instance().CancelLookup(lookup) ? 0 : k_WSAEINVAL;
}

bool FirstHostAddress(const char* buffer, std::uint32_t& address) {
  return FirstHostEntryAddress(buffer, address);
}

bool ParseDottedAddress(const std::string& text, std::uint32_t& address) {
  if (text.empty()) return false;
  in_addr_t parsed = inet_addr(text.c_str());
  if (parsed == INADDR_NONE) return false;
  address = parsed;
  return true;
}

std::string DottedAddressText(std::uint32_t address) {
  in_addr value{};
  value.s_addr = address;
  return inet_ntoa(value);
}

std::uint16_t ServicePort(const std::string& service, const std::string& protocol) {
  servent* entry = getservbyname(service.c_str(), protocol.c_str());
  return entry == nullptr ? 0 : ntohs(static_cast<std::uint16_t>(entry->s_port));
}

std::string LocalHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::string();
  return name;
}

}  // namespace platform
