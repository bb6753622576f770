// The test server's sockets over WinSock.
#include "platform/loopback_listener.h"

#include <winsock2.h>

#include <algorithm>

namespace platform {

namespace {

SOCKET AsSocket(SocketHandle socket) { return static_cast<SOCKET>(socket); }

sockaddr_in LoopbackEndpoint(std::uint16_t port) {
  sockaddr_in endpoint{};
  endpoint.sin_family = AF_INET;
  endpoint.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  endpoint.sin_port = htons(port);
  return endpoint;
}

bool WaitReadable(SOCKET socket, unsigned milliseconds) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval limit{static_cast<long>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000};
  return select(0, &readable, nullptr, nullptr, &limit) > 0;
}

}  // namespace

TLoopbackListener::TLoopbackListener(int backlog, int receiveBuffer) {
  StartSockets();
  SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket == INVALID_SOCKET) return;
  if (receiveBuffer > 0)
    setsockopt(socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer),
               sizeof receiveBuffer);
  sockaddr_in endpoint = LoopbackEndpoint(0);
  int size = sizeof endpoint;
  if (bind(socket, reinterpret_cast<sockaddr*>(&endpoint), sizeof endpoint) != 0 ||
      listen(socket, backlog) != 0 ||
      getsockname(socket, reinterpret_cast<sockaddr*>(&endpoint), &size) != 0) {
    closesocket(socket);
    return;
  }
  socket_ = static_cast<SocketHandle>(socket);
  port_ = ntohs(endpoint.sin_port);
}

TLoopbackListener::~TLoopbackListener() {
  Close();
  StopSockets();
}

void TLoopbackListener::Close() {
  if (socket_ != k_invalidSocket) closesocket(AsSocket(socket_));
  socket_ = k_invalidSocket;
}

SocketHandle TLoopbackListener::Accept(unsigned milliseconds) {
  if (socket_ == k_invalidSocket || !WaitReadable(AsSocket(socket_), milliseconds))
    return k_invalidSocket;
  SOCKET accepted = accept(AsSocket(socket_), nullptr, nullptr);
  return accepted == INVALID_SOCKET ? k_invalidSocket : static_cast<SocketHandle>(accepted);
}

bool SendAll(SocketHandle socket, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    int piece = static_cast<int>(std::min<size_t>(data.size() - done, 1 << 20));
    int sent = send(AsSocket(socket), data.data() + done, piece, 0);
    if (sent <= 0) return false;
    done += static_cast<size_t>(sent);
  }
  return true;
}

int ReceiveSome(SocketHandle socket, std::string& data, int limit, unsigned milliseconds) {
  if (!WaitReadable(AsSocket(socket), milliseconds)) return -1;
  std::string chunk(static_cast<size_t>(limit), '\0');
  int received = recv(AsSocket(socket), &chunk[0], limit, 0);
  if (received < 0) return -1;
  data.append(chunk.data(), static_cast<size_t>(received));
  return received;
}

SocketHandle ConnectLoopback(std::uint16_t port) {
  SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket == INVALID_SOCKET) return k_invalidSocket;
  sockaddr_in endpoint = LoopbackEndpoint(port);
  if (connect(socket, reinterpret_cast<sockaddr*>(&endpoint), sizeof endpoint) != 0) {
    closesocket(socket);
    return k_invalidSocket;
  }
  return static_cast<SocketHandle>(socket);
}

std::uint32_t LoopbackAddress() { return htonl(INADDR_LOOPBACK); }

}  // namespace platform
