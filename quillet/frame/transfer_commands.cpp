#include "quillet/frame/transfer_commands.h"

#include "quillet/frame/frame_texts.h"

namespace {
using TRunning = TProgressManager::TRunning;
}

TTransferDecision DecideReceive(const TReceiveState& state) {
  if (state.running != TRunning::Idle) return {TTransferAction::Beep, {}};
  if (!state.managerReady) return {TTransferAction::Nothing, {}};
  if (state.server.empty() || state.userName.empty()) return {TTransferAction::ShowText, frame_texts::k_setServerFirst};
  return {TTransferAction::Receive, {}};
}

TTransferDecision DecideSend(TRunning running, bool checkOnSend, std::int32_t queuedCount) {
  if (running != TRunning::Idle) return {TTransferAction::Nothing, {}};
  if (checkOnSend) return {TTransferAction::SendAndReceive, {}};
  if (queuedCount <= 0) return {TTransferAction::ShowText, frame_texts::k_noQueuedMail};
  return {TTransferAction::Send, {}};
}

TTransferDecision DecideSendAndReceive(TRunning running) {
  if (running != TRunning::Idle) return {TTransferAction::Nothing, {}};
  return {TTransferAction::SendAndReceive, {}};
}

TTransferDecision DecideSendNow(TRunning running) {
  if (running != TRunning::Idle) return {TTransferAction::ShowText, frame_texts::k_transferRunning};
  return {TTransferAction::Send, {}};
}

TNetworkControls NetworkActivityControls(std::uint32_t parameter, TNetworkControls current) {
  switch (static_cast<TNetworkActivity>(parameter)) {
    case TNetworkActivity::SendStarts:
    case TNetworkActivity::ReceiveStarts:
      return {false, true};
    case TNetworkActivity::SendEnds:
    case TNetworkActivity::ReceiveEnds:
      return {true, false};
  }
  return current;
}

std::string ReceiveReportText(std::int32_t count, const TReceivedLogList& log) {
  std::string text;
  for (const std::string& line : ReceiveReport(count, log)) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}
