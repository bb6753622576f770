// What the main window's receive and send commands do, decided before any window is made:
// the window carries out the answer (beep, show the text, start the progress window).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "quillet/transport/progress_manager.h"

enum class TTransferAction : std::uint8_t {
  Nothing,         // a run is under way (send) or the manager is not ready (receive)
  Beep,            // a run is under way (receive)
  ShowText,        // refused: `text` is shown
  Receive,         // start the progress window for receiving (message 1244)
  Send,            // start sending the outbox
  SendAndReceive,  // send, pump until the progress manager is idle, then receive
};

struct TTransferDecision {
  TTransferAction action = TTransferAction::Nothing;
  std::string text;  // for ShowText
};

// What the receive command needs to know of the default account.
struct TReceiveState {
  TProgressManager::TRunning running = TProgressManager::TRunning::Idle;
  bool managerReady = true;  // a usable mail root and user
  std::string server;        // [Connection] POP3Host
  std::string userName;      // [Connection] POP3Account
};

// Busy: Beep; not ready: Nothing; no server or no user name: k_setServerFirst; else Receive.
TTransferDecision DecideReceive(const TReceiveState& state);

// Busy: Nothing; with [Send] CheckOnSend: SendAndReceive; an outbox without a queued
// message: k_noQueuedMail; else Send.
TTransferDecision DecideSend(TProgressManager::TRunning running, bool checkOnSend, std::int32_t queuedCount);

// Send and receive: Nothing while busy; else SendAndReceive (the send half shows
// k_noQueuedMail when the outbox has nothing to send, and the receive half follows).
TTransferDecision DecideSendAndReceive(TProgressManager::TRunning running);

// A compose window asks to send one message at once: refused with k_transferRunning
// while a run is under way, else Send.
TTransferDecision DecideSendNow(TProgressManager::TRunning running);

// Message 2063: what the network commands (TBtn_send, TBtn_Check, M_file_getnewmail,
// M_file_SendQueue, M_file_SendGet) and the progress bar panel P_progbar become.
struct TNetworkControls {
  bool commandsEnabled = true;
  bool progressBarVisible = false;
};
// 1 or 2 (a run starts): disabled and shown; 3 or 4 (it ended): enabled and hidden; any
// other parameter leaves the controls as they are (`current`).
TNetworkControls NetworkActivityControls(std::uint32_t parameter, TNetworkControls current);
inline constexpr std::array<const char*, 5> k_networkCommandItems = {
    {"TBtn_send", "TBtn_Check", "M_file_getnewmail", "M_file_SendQueue", "M_file_SendGet"}};

// Message 2065: the report lines (ReceiveReport) joined with CR LF, as one box shows them.
std::string ReceiveReportText(std::int32_t count, const TReceivedLogList& log);
