#include "tests/support/fake_server.h"

#include <chrono>

namespace test_support {

namespace {

void Pause(unsigned milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

TFakeServer::TFakeServer(std::vector<std::string> greeting, std::vector<TServerStep> steps,
                         TServerOptions options)
    : listener_(4, options.receiveBuffer),
      greeting_(std::move(greeting)),
      steps_(std::move(steps)),
      options_(options) {
  if (listener_.IsOpen()) thread_ = std::thread([this] { Run(); });
}

TFakeServer::~TFakeServer() {
  if (thread_.joinable()) thread_.join();
}

std::string TFakeServer::Transcript() {
  if (thread_.joinable()) thread_.join();
  return received_;
}

void TFakeServer::Run() {
  platform::SocketHandle socket = listener_.Accept(options_.acceptTimeout);
  if (socket == platform::k_invalidSocket) return;
  connected_ = true;
  size_t consumed = 0;
  bool open = Answer(socket, greeting_, 0);
  size_t done = 0;
  for (; open && done < steps_.size(); ++done) {
    const TServerStep& step = steps_[done];
    Pause(step.pauseBeforeReading);
    if (step.readFirst && !ReadUntil(socket, consumed, step.terminator, options_.readTimeout))
      break;
    open = Answer(socket, step.reply, step.pieceDelay) && !step.dropAfter;
  }
  completed_ = done == steps_.size();
  if (open) {
    // The client's last words (QUIT...) and its close.
    while (platform::ReceiveSome(socket, received_, 4096, options_.drainTimeout) > 0) {
    }
  }
  platform::CloseSocketHandle(socket);
}

bool TFakeServer::ReadUntil(platform::SocketHandle socket, size_t& consumed,
                            const std::string& terminator, unsigned timeout) {
  for (;;) {
    size_t end = received_.find(terminator, consumed);
    if (end != std::string::npos) {
      consumed = end + terminator.size();
      return true;
    }
    if (platform::ReceiveSome(socket, received_, 65536, timeout) <= 0) return false;
  }
}

bool TFakeServer::Answer(platform::SocketHandle socket, const std::vector<std::string>& pieces,
                         unsigned pieceDelay) {
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) Pause(pieceDelay);
    if (!platform::SendAll(socket, pieces[i])) return false;
  }
  return true;
}

}  // namespace test_support
