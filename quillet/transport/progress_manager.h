// TProgressManager: the one object (for the program's lifetime) that knows whether a
// receive or a send runs. It refuses a second run, keeps the per-mailbox log of a receive,
// and tells the main window when a run starts and ends (message 2063: 1 sending or
// 2 receiving starts, 3 or 4 ends).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_loop.h"

// Window messages of a run, to the main window.
constexpr unsigned k_networkActivityMessage = 2063;  // word parameter: TNetworkActivity
constexpr unsigned k_receiveFinishedMessage = 2065;  // word: count; long: the TReceivedLogList

enum class TNetworkActivity : std::uint8_t { SendStarts = 1, ReceiveStarts = 2, SendEnds = 3, ReceiveEnds = 4 };
enum class TProgressDirection : std::uint8_t { Send = 0, Receive = 1 };

struct TReceivedLog {
  std::string MailboxName;
  std::int32_t Count = 0;
};
using TReceivedLogList = std::vector<TReceivedLog>;

class TProgressManager {
 public:
  enum class TRunning : std::uint8_t { Idle = 0, Sending = 1, Receiving = 2 };

  // The main window that hears of runs; 0: none (the command line).
  explicit TProgressManager(platform::WindowHandle mainWindow = 0) : mainWindow_(mainWindow) {}

  // Starts a run: Exception "Error: Progress running" while one runs. A receive renews
  // the log. Sends the main window 2063 with 2 (receive) or 1 (send).
  void Begin(TProgressDirection direction);
  // Ends the run: 2063 with 4 after a receive or 3 after a send.
  void End();
  // Counts one message stored in the mailbox (names compared without regard to case);
  // Exception "Error in AddReceivedLog" when no receive runs.
  void AddReceivedLog(const std::string& mailboxName);

  TRunning Running() const { return running_; }
  const TReceivedLogList& ReceivedLog() const { return receivedLog_; }
  platform::WindowHandle MainWindow() const { return mainWindow_; }

 private:
  void Notify(TNetworkActivity activity) const;

  platform::WindowHandle mainWindow_;
  TRunning running_ = TRunning::Idle;
  TReceivedLogList receivedLog_;
};

// The report of a finished receive: "收到 %d 封新邮件" and one "%d 封邮件保存到：%s" per
// mailbox, or "对不起，没有新邮件" when nothing came.
std::vector<std::string> ReceiveReport(std::int32_t count, const TReceivedLogList& log);
