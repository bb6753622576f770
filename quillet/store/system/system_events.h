// What the system manager tells its front end. The main window turns these into its
// window messages (counters: 1897, cipher: 1898), the status bar and the cursor; the
// command line and the tests implement them too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TIdxFile;
class TBoxObject;

// The main window's messages for the first two notices (posted: the store may be in the
// middle of a write when it reports).
constexpr unsigned k_countersChangedMessage = 1897;
constexpr unsigned k_cipherChangedMessage = 1898;

class TSystemEvents {
 public:
  virtual ~TSystemEvents() = default;
  // A pair's unread or item counters changed (every writer of the store reports here).
  virtual void MailboxCountersChanged(TIdxFile& pair) = 0;
  // A mailbox was enciphered or deciphered.
  virtual void MailboxCipherChanged(TBoxObject& box) = 0;
  // A status-bar text (GBK).
  virtual void StatusText(const std::string& text) = 0;
  // The busy (hourglass) cursor on, or back off.
  virtual void BusyCursor(bool busy) = 0;
  // Messages of the mailbox whose summary changed or that were added, for redisplay.
  virtual void MessagesChanged(TBoxObject& box, const std::vector<std::int32_t>& ids) = 0;
};

// The busy cursor for as long as it lives, also when the work throws.
class TBusyCursor {
 public:
  explicit TBusyCursor(TSystemEvents& events) : events_(events) { events_.BusyCursor(true); }
  ~TBusyCursor() { events_.BusyCursor(false); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TSystemEvents& events_;
};
