// The socket line client's transfers: sending a text whole, and collecting single-line
// and multi-line replies from the non-blocking socket.
#include <algorithm>
#include <climits>

#include "platform/winsock_errors.h"
#include "quillet/transport/mail_base.h"

namespace {
// One receive of a reply takes at most this many bytes.
constexpr int k_replyChunk = 511;
// While the socket takes nothing, the pump runs this long before the next attempt.
constexpr unsigned k_sendRetryWait = 10;
}  // namespace

bool TMailBase::SendText(const std::string& text) {
  if (!tls_) return SendRaw(text);
  // Whatever ciphertext still waits goes before this text's.
  if (tls_->Send(text.data(), text.size()) == platform::TTlsState::Failed) ThrowIfTlsFailed();
  std::string cipher;
  cipher.swap(tlsOut_);
  return SendRaw(cipher + tls_->TakeOutput());
}

bool TMailBase::SendRaw(const std::string& bytes) {
  std::string rest = bytes;
  for (;;) {
    if (Cancelled || TimedOut || handlerError_) return false;
    int sent = 0;
    if (!rest.empty()) {
      int size = static_cast<int>(std::min<size_t>(rest.size(), INT_MAX));
      sent = platform::SendOnSocket(Socket, rest.data(), size);
      if (sent < 0) {
        int error = platform::LastSocketError();
        if (error != platform::k_WSAEWOULDBLOCK) LastError = error;
        sent = 0;
      }
      rest.erase(0, static_cast<size_t>(sent));
    }
    if (CheckError()) return false;
    if (rest.empty()) return true;
    // The peer is not reading: let the loop run (a Cancel or the time-out may come) before
    // trying again. Bytes taken count as an answer from the server.
    if (sent > 0 && timerRunning_) ArmTimer();
    if (sent == 0) {
      if (!timerRunning_) ArmTimer();
      platform::WaitAndProcessMessages(k_sendRetryWait);
    }
  }
}

int TMailBase::SendSomePlain(const char* data, int size) {
  int sent = platform::SendOnSocket(Socket, data, size);
  if (sent > 0) return sent;
  int error = sent == 0 ? 0 : platform::LastSocketError();
  if (sent == 0 || error == platform::k_WSAEWOULDBLOCK) return 0;
  LastError = error;
  return -1;
}

int TMailBase::ReceivePlain(char* buffer, int size) {
  int received = platform::ReceiveFromSocket(Socket, buffer, size);
  if (received > 0) {
    LastError = 0;
    return received;
  }
  if (received < 0 && platform::LastSocketError() != platform::k_WSAEWOULDBLOCK)
    LastError = platform::LastSocketError();
  return 0;
}

bool TMailBase::ReadLine(std::string& line) {
  char buffer[k_replyChunk];
  int received = Receive(buffer, k_replyChunk);
  LineBuffer.append(buffer, static_cast<size_t>(received));
  if (received == 0 || buffer[received - 1] != '\n') return false;
  // Only the last line counts; earlier complete lines in the same reply are dropped.
  size_t previous =
      LineBuffer.size() >= 2 ? LineBuffer.rfind('\n', LineBuffer.size() - 2) : std::string::npos;
  line = previous == std::string::npos ? LineBuffer : LineBuffer.substr(previous + 1);
  LineBuffer.clear();
  return true;
}

bool TMailBase::ReadMultiLine(std::string& block) {
  char buffer[k_replyChunk];
  int received = Receive(buffer, k_replyChunk);
  if (received == 0) return false;
  BlockBuffer.append(buffer, static_cast<size_t>(received));
  bool complete = BlockBuffer.find("\n.\r\n") != std::string::npos ||
                  (BlockBuffer[0] != '+' && BlockBuffer.find('\n') != std::string::npos);
  if (!complete) return false;
  block = BlockBuffer;
  BlockBuffer.clear();
  return true;
}
