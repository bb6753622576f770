// The socket library's start-up, the socket error exception and the network error box.
#include "platform/socket.h"
#include "quillet/common/user_prompts.h"
#include "quillet/transport/mail_base.h"
#include "quillet/transport/transport_texts.h"
#include "quillet/transport/winsock_error_text.h"

namespace {

// Whether this process started the socket library (StartNetwork runs on the GUI thread).
bool& NetworkStarted() {
  static bool started = false;
  return started;
}

const char* FailureText(int state) {
  if (state == static_cast<int>(TMailState::Resolving)) return k_textResolveFailed;
  if (state == static_cast<int>(TMailState::Connecting)) return k_textConnectFailed;
  return k_textNetworkFailed;
}

}  // namespace

ESocketError::ESocketError(const std::string& text, int error)
    : Exception(text + "\r\n\r\n" + WinSockErrorText(error)) {}

void StartNetwork() {
  if (NetworkStarted()) return;
  if (platform::StartSockets() != 0) throw Exception(k_textNetworkNotReady);
  NetworkStarted() = true;
}

void StopNetwork() {
  if (!NetworkStarted()) return;
  platform::StopSockets();
  NetworkStarted() = false;
}

std::string NetworkErrorText(int state, int error) {
  return std::string(FailureText(state)) + "\r\n" + k_textStatePrefix + StateName(state) +
         k_textStateSuffix + "\r\n\r\n" + WinSockErrorText(error);
}

void ShowNetworkError(TUserPrompts& prompts, int state, int error) {
  prompts.ShowMessage(NetworkErrorText(state, error));
}
