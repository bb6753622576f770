// The test server's sockets over posix.
#include "platform/loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

sockaddr_in LoopbackEndpoint(std::uint16_t port) {
  sockaddr_in endpoint{};
  endpoint.sin_family = AF_INET;
  endpoint.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  endpoint.sin_port = htons(port);
  return endpoint;
}

bool WaitReadable(int socket, unsigned milliseconds) {
  pollfd polled{socket, POLLIN, 0};
  return poll(&polled, 1, static_cast<int>(milliseconds)) > 0;
}

}  // namespace

TLoopbackListener::TLoopbackListener(int backlog, int receiveBuffer) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  // Set before listen, so that accepted sockets inherit it from the start.
  if (receiveBuffer > 0)
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
  sockaddr_in endpoint = LoopbackEndpoint(0);
  socklen_t size = sizeof endpoint;
  if (bind(fd, reinterpret_cast<sockaddr*>(&endpoint), sizeof endpoint) != 0 ||
      listen(fd, backlog) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&endpoint), &size) != 0) {
    close(fd);
    return;
  }
  socket_ = fd;
  port_ = ntohs(endpoint.sin_port);
}

TLoopbackListener::~TLoopbackListener() { Close(); }

void TLoopbackListener::Close() {
  if (socket_ != k_invalidSocket) close(static_cast<int>(socket_));
  socket_ = k_invalidSocket;
}

SocketHandle TLoopbackListener::Accept(unsigned milliseconds) {
  if (socket_ == k_invalidSocket || !WaitReadable(static_cast<int>(socket_), milliseconds))
    return k_invalidSocket;
  int accepted = accept4(static_cast<int>(socket_), nullptr, nullptr, SOCK_CLOEXEC);
  return accepted < 0 ? k_invalidSocket : accepted;
}

bool SendAll(SocketHandle socket, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t sent = send(static_cast<int>(socket), data.data() + done, data.size() - done,
                        MSG_NOSIGNAL);
    if (sent <= 0) return false;
    done += static_cast<size_t>(sent);
  }
  return true;
}

int ReceiveSome(SocketHandle socket, std::string& data, int limit, unsigned milliseconds) {
  if (!WaitReadable(static_cast<int>(socket), milliseconds)) return -1;
  std::string chunk(static_cast<size_t>(limit), '\0');
  ssize_t received = recv(static_cast<int>(socket), chunk.data(), chunk.size(), 0);
  if (received < 0) return -1;
  data.append(chunk.data(), static_cast<size_t>(received));
  return static_cast<int>(received);
}

SocketHandle ConnectLoopback(std::uint16_t port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return k_invalidSocket;
  sockaddr_in endpoint = LoopbackEndpoint(port);
  if (connect(fd, reinterpret_cast<sockaddr*>(&endpoint), sizeof endpoint) != 0) {
    close(fd);
    return k_invalidSocket;
  }
  return fd;
}

std::uint32_t LoopbackAddress() { return htonl(INADDR_LOOPBACK); }

}  // namespace platform
