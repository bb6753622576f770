// The WinSock calls themselves.
#include "platform/socket.h"

#include <winsock2.h>

namespace platform {

namespace {

SOCKET AsSocket(SocketHandle socket) { return static_cast<SOCKET>(socket); }
HWND AsWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }

int ResultOf(int status) { return status == 0 ? 0 : WSAGetLastError(); }

}  // namespace

int StartSockets() {
  WSADATA data;
  return WSAStartup(MAKEWORD(1, 1), &data);
}

void StopSockets() { WSACleanup(); }

int LastSocketError() { return WSAGetLastError(); }

SocketHandle OpenStreamSocket() {
  SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket == INVALID_SOCKET) return k_invalidSocket;
  // Line protocols write a command, or a message's last piece, and wait for the answer:
  // without this the small write waits for the peer's delayed acknowledgement.
  const BOOL on = TRUE;
  setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  return static_cast<SocketHandle>(socket);
}

int CloseSocketHandle(SocketHandle socket) { return ResultOf(closesocket(AsSocket(socket))); }

int SelectSocketEvents(SocketHandle socket, WindowHandle window, unsigned message, long events) {
  return ResultOf(WSAAsyncSelect(AsSocket(socket), AsWindow(window), message, events));
}

int ConnectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_addr.s_addr = address;
  target.sin_port = htons(port);
  return ResultOf(connect(AsSocket(socket), reinterpret_cast<sockaddr*>(&target), sizeof target));
}

int SendOnSocket(SocketHandle socket, const char* data, int size) {
  int sent = send(AsSocket(socket), data, size, 0);
  return sent == SOCKET_ERROR ? -1 : sent;
}

int ReceiveFromSocket(SocketHandle socket, char* buffer, int size) {
  int received = recv(AsSocket(socket), buffer, size, 0);
  return received == SOCKET_ERROR ? -1 : received;
}

bool ParseDottedAddress(const std::string& text, std::uint32_t& address) {
  if (text.empty()) return false;
  unsigned long parsed = inet_addr(text.c_str());
  if (parsed == INADDR_NONE) return false;
  address = static_cast<std::uint32_t>(parsed);
  return true;
}

std::string DottedAddressText(std::uint32_t address) {
  in_addr value{};
  value.s_addr = address;
  const char* text = inet_ntoa(value);
  return text == nullptr ? std::string() : text;
}

std::uint16_t ServicePort(const std::string& service, const std::string& protocol) {
  servent* entry = getservbyname(service.c_str(), protocol.c_str());
  return entry == nullptr ? 0 : ntohs(static_cast<u_short>(entry->s_port));
}

std::string LocalHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::string();
  return name;
}

}  // namespace platform
