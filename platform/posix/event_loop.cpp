#include "platform/posix/event_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>


namespace platform::posix_loop {

namespace {

// Windows does not let a timer tick faster than this either.
constexpr unsigned k_minimumTimerInterval = 10;

std::intptr_t MakeEventParam(long event, int error) {
  return static_cast<std::intptr_t>((static_cast<unsigned long>(error & 0xFFFF) << 16) |
                                    (event & 0xFFFF));
}

}  // namespace

TEventLoop& TEventLoop::Instance() {
  static TEventLoop* loop = new TEventLoop();
  return *loop;
}

TEventLoop::TEventLoop() { wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }

WindowHandle TEventLoop::AddWindow(TMessageHandler handler) {
  TLock lock(mutex_);
  WindowHandle window = nextWindow_++;
  windows_[window] = std::move(handler);
  return window;
}

void TEventLoop::RemoveWindow(WindowHandle window) {
  TLock lock(mutex_);
  windows_.erase(window);
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                              [window](const TQueued& q) { return q.window == window; }),
               queue_.end());
  for (auto it = timers_.begin(); it != timers_.end();)
    it = it->first.first == window ? timers_.erase(it) : std::next(it);
}

bool TEventLoop::Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
                      std::intptr_t lParam) {
  {
    TLock lock(mutex_);
    if (windows_.count(window) == 0) return false;
    queue_.push_back({window, message, wParam, lParam, TOrigin::Posted, 0});
  }
  Wake();
  return true;
}

std::intptr_t TEventLoop::Send(WindowHandle window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
  TMessageHandler handler;
  {
    TLock lock(mutex_);
    auto found = windows_.find(window);
    if (found == windows_.end()) return 0;
    handler = found->second;
  }
  std::intptr_t result = 0;
  if (!handler({message, wParam, lParam}, result)) return 0;
  return result;
}

bool TEventLoop::SetTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds) {
  TLock lock(mutex_);
  if (windows_.count(window) == 0) return false;
  TTimer& timer = timers_[{window, id}];
  timer.interval = std::chrono::milliseconds(std::max(milliseconds, k_minimumTimerInterval));
  timer.due = TClock::now() + timer.interval;
  return true;
}

void TEventLoop::KillTimer(WindowHandle window, std::uintptr_t id) {
  TLock lock(mutex_);
  timers_.erase({window, id});
  DropQueued(TOrigin::Timer, static_cast<std::intptr_t>(id), window);
}

void TEventLoop::ProcessPending() {
  TQueued next;
  for (;;) {
    Gather(0);
    if (!PopNext(next)) return;
    Dispatch(next);
  }
}

void TEventLoop::WaitAndProcess(unsigned milliseconds) {
  Gather(static_cast<int>(std::min(milliseconds, 60000u)));
  ProcessPending();
}

void TEventLoop::Wake() {
  std::uint64_t one = 1;
  if (write(wakeFd_, &one, sizeof one) < 0) {
    // The counter is already non-zero: the loop wakes anyway.
  }
}

// Queues what became due: timers, answered look-ups and socket readiness. Waits up to
// `timeoutMilliseconds` when nothing is queued.
void TEventLoop::Gather(int timeoutMilliseconds) {
  TLock lock(mutex_);
  QueueDueTimers();
  QueueAnsweredLookups();
  if (!queue_.empty()) timeoutMilliseconds = 0;
  timeoutMilliseconds = PollTimeout(timeoutMilliseconds);
  lock.unlock();
  CheckSockets(timeoutMilliseconds);
  lock.lock();
  QueueDueTimers();
  QueueAnsweredLookups();
}

int TEventLoop::PollTimeout(int limit) {
  auto now = TClock::now();
  for (const auto& [key, timer] : timers_) {
    if (timer.queued) continue;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(timer.due - now).count();
    limit = std::min<int>(limit, static_cast<int>(std::max<long long>(left + 1, 0)));
  }
  return limit;
}

void TEventLoop::QueueDueTimers() {
  auto now = TClock::now();
  for (auto& [key, timer] : timers_) {
    if (timer.queued || timer.due > now) continue;
    timer.queued = true;
    timer.due = now + timer.interval;
    queue_.push_back({key.first, k_timerMessage, key.second, 0, TOrigin::Timer,
                      static_cast<std::intptr_t>(key.second)});
  }
}

void TEventLoop::QueueAnsweredLookups() {
  for (auto& [handle, lookup] : lookups_) {
    if (!lookup.answered || lookup.queued) continue;
    lookup.queued = true;
    queue_.push_back({lookup.window, lookup.message, handle, MakeEventParam(0, lookup.error),
                      TOrigin::Lookup, static_cast<std::intptr_t>(handle)});
  }
}

// One poll() over the wake-up counter and every socket that waits for something.
void TEventLoop::CheckSockets(int timeoutMilliseconds) {
  std::vector<pollfd> polled{{wakeFd_, POLLIN, 0}};
  {
    TLock lock(mutex_);
    for (auto& [socket, record] : sockets_) {
      short wanted = 0;
      if (record.phase == TSocketPhase::Connecting && record.connectError != 0) {
        record.phase = TSocketPhase::Finished;
        QueueSocketEvent(socket, record, k_socketConnect, record.connectError);
        timeoutMilliseconds = 0;
      } else if (record.phase == TSocketPhase::Connecting) {
        wanted = POLLOUT;
      } else if (record.phase == TSocketPhase::Connected) {
        if (record.readArmed) wanted |= POLLIN;
        if (record.writeArmed && (record.events & k_socketWrite)) wanted |= POLLOUT;
      }
      if (wanted != 0) polled.push_back({socket, wanted, 0});
    }
  }
  if (poll(polled.data(), polled.size(), timeoutMilliseconds) <= 0) return;
  std::uint64_t count = 0;
  if (polled[0].revents != 0 && read(wakeFd_, &count, sizeof count) < 0) count = 0;
  TLock lock(mutex_);
  for (size_t i = 1; i < polled.size(); ++i) {
    auto found = sockets_.find(polled[i].fd);
    if (polled[i].revents != 0 && found != sockets_.end())
      SocketReady(found->first, found->second, polled[i].revents);
  }
}

void TEventLoop::SocketReady(int socket, TSocketRecord& record, short revents) {
  const short broken = POLLERR | POLLHUP;
  if (record.phase == TSocketPhase::Connecting) {
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
    record.phase = error == 0 ? TSocketPhase::Connected : TSocketPhase::Finished;
    record.writeArmed = error == 0;
    if (record.events & k_socketConnect)
      QueueSocketEvent(socket, record, k_socketConnect, error ? WinSockErrorOfErrno(error) : 0);
    return;
  }
  if (record.readArmed && (revents & (POLLIN | broken))) {
    // A peek tells data (FD_READ) from the end of the stream (FD_CLOSE, once).
    char byte = 0;
    ssize_t peeked = recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked > 0) {
      record.readArmed = false;
      if (record.events & k_socketRead) QueueSocketEvent(socket, record, k_socketRead, 0);
    } else if (peeked == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
      int error = peeked == 0 ? 0 : WinSockErrorOfErrno(errno);
      record.phase = TSocketPhase::Finished;
      if (record.events & k_socketClose) QueueSocketEvent(socket, record, k_socketClose, error);
      return;
    }
  }
  if (record.writeArmed && (revents & (POLLOUT | broken))) {
    record.writeArmed = false;
    if (record.events & k_socketWrite) QueueSocketEvent(socket, record, k_socketWrite, 0);
  }
}

void TEventLoop::QueueSocketEvent(int socket, const TSocketRecord& record, long event,
                                  int error) {
  queue_.push_back({record.window, record.message, static_cast<std::uintptr_t>(socket),
                    MakeEventParam(event, error), TOrigin::Socket, socket});
}

bool TEventLoop::PopNext(TQueued& next) {
  TLock lock(mutex_);
  if (queue_.empty()) return false;
  next = queue_.front();
  queue_.pop_front();
  return true;
}

void TEventLoop::Dispatch(const TQueued& message) {
  TMessageHandler handler;
  {
    TLock lock(mutex_);
    if (message.origin == TOrigin::Timer) {
      auto timer = timers_.find({message.window, message.wParam});
      if (timer == timers_.end()) return;
      timer->second.queued = false;
    }
    if (message.origin == TOrigin::Lookup) {
      // The reply is copied into the caller's buffer here, on the pumping thread, so a
      // cancelled look-up never writes into a buffer that may be gone.
      auto lookup = lookups_.find(static_cast<LookupHandle>(message.key));
      if (lookup == lookups_.end()) return;
      WriteHostEntry(lookup->second.buffer, lookup->second.bufferSize,
                     lookup->second.addresses);
      lookups_.erase(lookup);
    }
    auto found = windows_.find(message.window);
    if (found == windows_.end()) return;
    handler = found->second;
  }
  std::intptr_t result = 0;
  handler({message.message, message.wParam, message.lParam}, result);
}

void TEventLoop::DropQueued(TOrigin origin, std::intptr_t key, WindowHandle window) {
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                              [&](const TQueued& q) {
                                return q.origin == origin && q.key == key &&
                                       (window == 0 || q.window == window);
                              }),
               queue_.end());
}

void TEventLoop::Select(int socket, WindowHandle window, unsigned message, long events) {
  TLock lock(mutex_);
  if (events == 0) {
    auto found = sockets_.find(socket);
    if (found != sockets_.end()) found->second.events = 0;
    return;
  }
  TSocketRecord& record = sockets_[socket];
  record.window = window;
  record.message = message;
  record.events = events;
  // A new selection reports what is true now: unread data, and a writable connection
  // when write is asked for.
  record.readArmed = true;
  if (record.phase == TSocketPhase::Connected && (events & k_socketWrite))
    record.writeArmed = true;
}

bool TEventLoop::IsSelected(int socket) {
  TLock lock(mutex_);
  auto found = sockets_.find(socket);
  return found != sockets_.end() && found->second.events != 0;
}

void TEventLoop::ConnectStarted(int socket, int immediateError) {
  {
    TLock lock(mutex_);
    TSocketRecord& record = sockets_[socket];
    record.phase = TSocketPhase::Connecting;
    record.connectError = immediateError;
  }
  Wake();
}

void TEventLoop::ReceiveCalled(int socket) {
  TLock lock(mutex_);
  auto found = sockets_.find(socket);
  if (found != sockets_.end()) found->second.readArmed = true;
}

void TEventLoop::SendWouldBlock(int socket) {
  TLock lock(mutex_);
  auto found = sockets_.find(socket);
  if (found != sockets_.end()) found->second.writeArmed = true;
}

void TEventLoop::ForgetSocket(int socket) {
  TLock lock(mutex_);
  sockets_.erase(socket);
  DropQueued(TOrigin::Socket, socket, 0);
}

LookupHandle TEventLoop::StartLookup(WindowHandle window, unsigned message, char* buffer,
                                     int size) {
  TLock lock(mutex_);
  LookupHandle handle = nextLookup_++;
  TLookup& lookup = lookups_[handle];
  lookup.window = window;
  lookup.message = message;
  lookup.buffer = buffer;
  lookup.bufferSize = size;
  return handle;
}

void TEventLoop::CompleteLookup(LookupHandle handle, int error,
                                std::vector<std::uint32_t> addresses) {
  {
    TLock lock(mutex_);
    auto found = lookups_.find(handle);
    if (found == lookups_.end()) return;  // cancelled meanwhile
    found->second.answered = true;
    found->second.error = error;
    found->second.addresses = std::move(addresses);
  }
  Wake();
}

bool TEventLoop::CancelLookup(LookupHandle handle) {
  TLock lock(mutex_);
  DropQueued(TOrigin::Lookup, static_cast<std::intptr_t>(handle), 0);
  return lookups_.erase(handle) != 0;
}

}  // namespace platform::posix_loop
