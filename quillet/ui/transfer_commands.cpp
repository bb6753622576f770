#include "quillet/ui/transfer_commands.h"

#include <commctrl.h>

#include "quillet/frame/auto_check.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/mail_accounts.h"
#include "quillet/transport/network_progress.h"
#include "quillet/ui/client_start.h"

namespace quillet::ui {
namespace {

using TRunning = TProgressManager::TRunning;

constexpr UINT_PTR k_subclassId = 0x5452;  // "TR"
constexpr unsigned k_waitSliceMs = 100;

// A window made but not started yet counts as running, so a second click cannot replace it.
TRunning Busy(const TTransferState& state) {
  if (state.progress.Running() != TRunning::Idle || !state.window || state.window->hwnd == nullptr)
    return state.progress.Running();
  return state.window->direction == TProgressDirection::Receive ? TRunning::Receiving : TRunning::Sending;
}

void StartRun(TClientApp* app, TProgressDirection direction, bool userStarted,
              std::optional<std::vector<TOneConnection>> accounts = std::nullopt) {
  TTransferState& state = *app->transfer;
  TProgressContext context{state.progress, *app->manager, state.passwords, app->prompts, state.progressLeftVisible,
                           [&state](std::int32_t percent) { SetProgressPanelPercent(&state.panel, percent); },
                           [&state](HWND window) {
                             if (state.progressChanged) state.progressChanged(window);
                           }};
  state.window = std::make_unique<TProgressWindow>(std::move(context), direction, userStarted);
  state.window->accounts = std::move(accounts);
  StartProgressWindow(state.window.get(), app->frame.hwnd);
}

std::int32_t QueuedCount(TClientApp* app) {
  return static_cast<std::int32_t>(QueuedIds(app->manager->Boxes().Standard(TBoxKind::Outbox).BasePath()).size());
}

// Sends, pumping until that run is over, then receives; an empty outbox is told and the
// receive still follows.
void SendAndReceive(TClientApp* app) {
  TTransferState& state = *app->transfer;
  if (DecideSendAndReceive(Busy(state)).action == TTransferAction::Nothing) return;
  if (QueuedCount(app) == 0) {
    app->prompts.ShowMessage(frame_texts::k_noQueuedMail);
  } else {
    StartRun(app, TProgressDirection::Send, true);
    while (Busy(state) != TRunning::Idle && IsWindow(app->frame.hwnd)) platform::WaitAndProcessMessages(k_waitSliceMs);
  }
  if (IsWindow(app->frame.hwnd)) ReceiveNewMail(app, true);
}

void SendQueue(TClientApp* app) {
  const TTransferDecision decision =
      DecideSend(Busy(*app->transfer), app->manager->Settings().CheckOnSend, QueuedCount(app));
  if (decision.action == TTransferAction::ShowText) app->prompts.ShowMessage(decision.text);
  if (decision.action == TTransferAction::Send) StartRun(app, TProgressDirection::Send, true);
  if (decision.action == TTransferAction::SendAndReceive) SendAndReceive(app);
}

void ShowProgressAgain(TClientApp* app) {
  if (app->transfer->window) ShowProgressWindow(app->transfer->window.get());
}

// 2063: the commands greyed or not, the panel shown or not.
void NetworkActivity(TClientApp* app, WPARAM parameter) {
  TTransferState& state = *app->transfer;
  state.controls = NetworkActivityControls(static_cast<std::uint32_t>(parameter), state.controls);
  ShowProgressPanel(&state.panel, state.controls.progressBarVisible);
  if (parameter == static_cast<WPARAM>(TNetworkActivity::ReceiveEnds)) state.lastCheckEnded = GetTickCount64();
  RefreshCommandStates(&app->frame);
}

// 2065: the tree's counts and the current list read again, then the report.
void ReceiveFinished(TClientApp* app, WPARAM count) {
  if (TTreeWindow* tree = app->treeWindow.get()) {
    RefreshTree(tree);
    for (std::size_t row = 0; row < tree->rows.size(); ++row)
      if (tree->rows[row].box == tree->current) ShowMailbox(tree, row);
  }
  app->prompts.ShowMessage(ReceiveReportText(static_cast<std::int32_t>(count), app->transfer->progress.ReceivedLog()));
}

void AutoCheckTick(TClientApp* app) {
  TTransferState& state = *app->transfer;
  const TAutoCheckState check{static_cast<std::int64_t>(GetTickCount64() - state.lastCheckEnded),
                              !IsWindowEnabled(app->frame.hwnd), Busy(state)};
  if (AutoCheckDue(app->manager->Settings(), check)) ReceiveNewMail(app, false);
}

LRESULT CALLBACK FrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* app = reinterpret_cast<TClientApp*>(data);
  switch (message) {
    case k_networkActivityMessage:
      NetworkActivity(app, wParam);
      return 0;
    case k_receiveFinishedMessage:
      ReceiveFinished(app, wParam);
      return 0;
    case WM_TIMER:
      if (wParam != k_autoCheckTimer) break;
      AutoCheckTick(app);
      return 0;
    case WM_SIZE: {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      LayoutProgressPanel(&app->transfer->panel);
      return result;
    }
    case WM_NCDESTROY:
      KillTimer(hwnd, k_autoCheckTimer);
      RemoveWindowSubclass(hwnd, FrameProcedure, k_subclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void ReceiveNewMail(TClientApp* app, bool userStarted) {
  TTransferState& state = *app->transfer;
  const TOneConnection own = DefaultAccount(app->manager->Setup().File());
  // The manager exists only over a checked mail root, so it is always ready here.
  const TTransferDecision decision = DecideReceive({Busy(state), true, own.POP3Server, own.Account});
  if (decision.action == TTransferAction::Beep) state.beep();
  if (decision.action == TTransferAction::ShowText && userStarted) app->prompts.ShowMessage(decision.text);
  if (decision.action == TTransferAction::Receive) StartRun(app, TProgressDirection::Receive, userStarted);
}

// PM_recv<i>: a receive from further account i alone, refused as the receive command is.
void ReceiveOneAccount(TClientApp* app, std::size_t index) {
  TTransferState& state = *app->transfer;
  const std::vector<TOneConnection> accounts = TConnections(app->manager->Setup().IniPath()).Items();
  if (index >= accounts.size()) return;  // removed since the menu was made
  const TOneConnection& account = accounts[index];
  const TTransferDecision decision = DecideReceive({Busy(state), true, account.POP3Server, account.Account});
  if (decision.action == TTransferAction::Beep) state.beep();
  if (decision.action == TTransferAction::ShowText) app->prompts.ShowMessage(decision.text);
  if (decision.action == TTransferAction::Receive)
    StartRun(app, TProgressDirection::Receive, true, std::vector<TOneConnection>{account});
}

void AddAccountReceiveCommands(TClientApp* app) {
  TTransferState& state = *app->transfer;
  const std::size_t count = TConnections(app->manager->Setup().IniPath()).Items().size();
  for (std::size_t i = 0; i < count; ++i)
    app->frame.commands.Add("PM_recv" + std::to_string(i + 1), [app, i] { ReceiveOneAccount(app, i); },
                            [&state] { return state.controls.commandsEnabled; });
}

void AddTransferCommands(TClientApp* app) {
  app->transfer = std::make_unique<TTransferState>(app->frame.hwnd);
  TTransferState& state = *app->transfer;
  CreateProgressPanel(&state.panel, app->frame.statusBar);
  state.panel.showClicked = [app] { RunCommand(&app->frame, "SB_showprog"); };
  state.panel.previewClicked = [app] { RunCommand(&app->frame, "M_tools_title"); };
  const auto idle = [&state] { return state.controls.commandsEnabled; };
  TCommandTable& commands = app->frame.commands;
  for (const char* item : {"M_file_getnewmail", "TBtn_Check"}) commands.Add(item, [app] { ReceiveNewMail(app, true); }, idle);
  for (const char* item : {"M_file_SendQueue", "TBtn_send"}) commands.Add(item, [app] { SendQueue(app); }, idle);
  commands.Add("M_file_SendGet", [app] { SendAndReceive(app); }, idle);
  commands.Add("M_tools_clearpwd", [&state] { state.passwords.Clear(); });
  commands.Add("SB_showprog", [app] { ShowProgressAgain(app); },
               [&state] { return state.window && state.window->hwnd != nullptr; });
  AddAccountReceiveCommands(app);
  SetWindowSubclass(app->frame.hwnd, FrameProcedure, k_subclassId, reinterpret_cast<DWORD_PTR>(app));
  SetTimer(app->frame.hwnd, k_autoCheckTimer, k_autoCheckTickMs, nullptr);
}

}  // namespace quillet::ui
