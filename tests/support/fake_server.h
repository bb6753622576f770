// A scripted stand-in server on 127.0.0.1 for transcript tests of the protocol clients.
//
// It listens on a port the system chooses, accepts one connection on its own thread and
// plays the script: the greeting, then for each step it reads what the client sends up to
// and including the step's terminator (a line by default), and answers with the step's
// reply pieces, each its own write, `pieceDelay` apart. Everything the client sent is kept
// byte for byte; after the script it keeps reading until the client closes (or stays
// silent for `drainTimeout`). Transcript() waits for that and gives the bytes.
//
//   test_support::TFakeServer server({"+OK ready\r\n"}, {
//       {{"+OK\r\n"}},                            // answer the first line (USER)
//       {{"+OK 2 msgs\r\n+OK again\r\n"}},        // two replies in one write
//       {{"+O", "K bye\r\n"}, 50},                // one reply in two writes, 50 ms apart
//       {{}, 0, true}});                          // read a line, then drop the connection
//   client.Port = server.Port(); ... run the client ...
//   EXPECT_EQ(server.Transcript(), "USER a\r\nSTAT\r\nQUIT\r\nNOOP\r\n");
//
// The server never checks what it read; the test compares the transcript.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/loopback_listener.h"

namespace test_support {

struct TServerStep {
  std::vector<std::string> reply;  // written one piece per write; none: no answer
  unsigned pieceDelay = 0;         // milliseconds before each piece after the first
  bool dropAfter = false;          // close the connection after answering
  unsigned pauseBeforeReading = 0; // milliseconds before reading (the client's send fills up)
  std::string terminator = "\n";   // read up to and including this ("\r\n.\r\n" for data)
  bool readFirst = true;           // false: answer without reading anything first
};

struct TServerOptions {
  int receiveBuffer = 0;             // bytes; small makes the client's send would-block
  unsigned acceptTimeout = 10000;    // milliseconds to wait for the client
  unsigned readTimeout = 10000;      // milliseconds to wait for a step's input
  unsigned drainTimeout = 2000;      // milliseconds of silence that end the final read
};

class TFakeServer {
 public:
  TFakeServer(std::vector<std::string> greeting, std::vector<TServerStep> steps,
              TServerOptions options = {});
  ~TFakeServer();
  TFakeServer(const TFakeServer&) = delete;
  TFakeServer& operator=(const TFakeServer&) = delete;

  // The listening port (host order), the loopback address (network order).
  std::uint16_t Port() const { return listener_.Port(); }
  static std::uint32_t Address() { return platform::LoopbackAddress(); }
  // Waits for the script and the final read to end; every byte the client sent.
  std::string Transcript();
  // After Transcript(): whether the client connected, and whether every step got its input.
  bool Connected() const { return connected_; }
  bool CompletedScript() const { return completed_; }

 private:
  void Run();
  bool ReadUntil(platform::SocketHandle socket, size_t& consumed, const std::string& terminator,
                 unsigned timeout);
  bool Answer(platform::SocketHandle socket, const std::vector<std::string>& pieces,
              unsigned pieceDelay);

  platform::TLoopbackListener listener_;
  std::vector<std::string> greeting_;
  std::vector<TServerStep> steps_;
  TServerOptions options_;
  std::string received_;
  bool connected_ = false;
  bool completed_ = false;
  std::thread thread_;
};

}  // namespace test_support
