// A listening TCP socket on 127.0.0.1 and blocking transfers on the sockets it accepts:
// what a test's stand-in server needs. Any thread may use these; the sockets are plain
// blocking ones, never selected into the message loop. Close them with CloseSocketHandle.
#pragma once

#include <cstdint>
#include <string>

#include "platform/socket.h"

namespace platform {

class TLoopbackListener {
 public:
  // Listens on a port the system chooses. `receiveBuffer` > 0 sets the receive buffer of
  // the sockets it accepts (bytes), so that a client's sends fill it quickly.
  explicit TLoopbackListener(int backlog = 4, int receiveBuffer = 0);
  ~TLoopbackListener();
  TLoopbackListener(const TLoopbackListener&) = delete;
  TLoopbackListener& operator=(const TLoopbackListener&) = delete;

  // False when the socket could not be opened, bound or set listening.
  bool IsOpen() const { return socket_ != k_invalidSocket; }
  // The port in host order; 0 when not open.
  std::uint16_t Port() const { return port_; }
  // Waits up to `milliseconds` for a connection: the accepted socket or k_invalidSocket.
  SocketHandle Accept(unsigned milliseconds);
  // Stops listening (a connect then is refused).
  void Close();

 private:
  SocketHandle socket_ = k_invalidSocket;
  std::uint16_t port_ = 0;
};

// Sends all of `data`, blocking; false when the connection failed.
bool SendAll(SocketHandle socket, const std::string& data);
// Waits up to `milliseconds` for bytes and appends what one receive gives (at most
// `limit`): the count, 0 when the peer closed, -1 on time-out or failure.
int ReceiveSome(SocketHandle socket, std::string& data, int limit, unsigned milliseconds);
// A blocking connect to 127.0.0.1:port, for tests that need a plain client; or
// k_invalidSocket.
SocketHandle ConnectLoopback(std::uint16_t port);
// The loopback address in network order.
std::uint32_t LoopbackAddress();

}  // namespace platform
