// The process-wide loop behind platform/message_loop.h and platform/socket.h on posix: the
// window table, the queue of posted messages, the timers, the socket selections and the
// pending host look-ups, all served by one poll(). Only Post and CompleteLookup may be
// called from another thread; everything else runs on the thread that pumps.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host_entry.h"
#include "platform/message_loop.h"
#include "platform/socket.h"

namespace platform::posix_loop {

using TClock = std::chrono::steady_clock;

// What a queued message stands for, so that closing a socket, killing a timer or
// cancelling a look-up can take back what is still queued.
enum class TOrigin { Posted, Socket, Timer, Lookup };

struct TQueued {
  WindowHandle window = 0;
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  TOrigin origin = TOrigin::Posted;
  std::intptr_t key = 0;  // the socket, the timer id or the look-up handle
};

struct TTimer {
  std::chrono::milliseconds interval{0};
  TClock::time_point due;
  bool queued = false;  // a due timer is queued once, never twice
};

enum class TSocketPhase { Open, Connecting, Connected, Finished };

struct TSocketRecord {
  WindowHandle window = 0;
  unsigned message = 0;
  long events = 0;
  TSocketPhase phase = TSocketPhase::Open;
  int connectError = 0;  // a connect that failed at once, reported as its event
  bool readArmed = true;
  bool writeArmed = false;
};

struct TLookup {
  WindowHandle window = 0;
  unsigned message = 0;
  char* buffer = nullptr;
  int bufferSize = 0;
  bool answered = false;
  bool queued = false;
  int error = 0;
  std::vector<std::uint32_t> addresses;
};

class TEventLoop {
 public:
  // Created on first use and never destroyed: detached look-up threads may still report.
  static TEventLoop& Instance();

  WindowHandle AddWindow(TMessageHandler handler);
  void RemoveWindow(WindowHandle window);
  bool Post(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  std::intptr_t Send(WindowHandle window, unsigned message, std::uintptr_t wParam,
                     std::intptr_t lParam);
  bool SetTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds);
  void KillTimer(WindowHandle window, std::uintptr_t id);
  void ProcessPending();
  void WaitAndProcess(unsigned milliseconds);

  void Select(int socket, WindowHandle window, unsigned message, long events);
  bool IsSelected(int socket);
  void ConnectStarted(int socket, int immediateError);
  void ReceiveCalled(int socket);
  void SendWouldBlock(int socket);
  void ForgetSocket(int socket);

  LookupHandle StartLookup(WindowHandle window, unsigned message, char* buffer, int size);
  void CompleteLookup(LookupHandle lookup, int error, std::vector<std::uint32_t> addresses);
  bool CancelLookup(LookupHandle lookup);

 private:
  TEventLoop();
  using TLock = std::unique_lock<std::mutex>;
  void Wake();
  void Gather(int timeoutMilliseconds);
  int PollTimeout(int limit);
  void QueueDueTimers();
  void QueueAnsweredLookups();
  void CheckSockets(int timeoutMilliseconds);
  void SocketReady(int socket, TSocketRecord& record, short revents);
  void QueueSocketEvent(int socket, const TSocketRecord& record, long event, int error);
  bool PopNext(TQueued& next);
  void Dispatch(const TQueued& message);
  void DropQueued(TOrigin origin, std::intptr_t key, WindowHandle window);

  std::mutex mutex_;
  int wakeFd_ = -1;
  WindowHandle nextWindow_ = 1;
  LookupHandle nextLookup_ = 1;
  std::map<WindowHandle, TMessageHandler> windows_;
  std::deque<TQueued> queue_;
  std::map<std::pair<WindowHandle, std::uintptr_t>, TTimer> timers_;
  std::map<int, TSocketRecord> sockets_;
  std::map<LookupHandle, TLookup> lookups_;
};

// errno as a WinSock error number (platform/winsock_errors.h).
int WinSockErrorOfErrno(int error);

}  // namespace platform::posix_loop
