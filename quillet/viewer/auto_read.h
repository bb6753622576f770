// When a shown message is marked read without the user asking: with [Receive]
// AutoMarkRead set, an unread message that stays shown for AutoReadSeconds. The window
// tells the tracker what it shows and asks it on each timer tick; times are milliseconds
// of any steady clock.
#pragma once

#include <cstdint>
#include <optional>

#include "quillet/store/system/system_settings.h"

class TAutoRead {
 public:
  // The settings are read at each call, so a change applies to the next message shown.
  explicit TAutoRead(const TSystemSettings& settings) : settings_(settings) {}

  // A message is now shown (unread as its head says); replaces the one shown before.
  void Shown(std::int32_t id, bool unread, std::int64_t nowMs);
  // Nothing is shown any more (the pane was cleared or the window closed).
  void Hidden() { pending_.reset(); }
  // The id to mark read now, given once: the message was unread when shown, AutoMarkRead
  // is set and AutoReadSeconds (a negative value counts as 0) have passed.
  std::optional<std::int32_t> Due(std::int64_t nowMs);
  // Milliseconds until Due gives the pending id; none when nothing is pending.
  std::optional<std::int64_t> Remaining(std::int64_t nowMs) const;

 private:
  struct TPending {
    std::int32_t id;
    std::int64_t dueMs;
  };
  const TSystemSettings& settings_;
  std::optional<TPending> pending_;
};
