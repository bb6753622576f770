#include "quillet/viewer/auto_read.h"

#include <algorithm>

void TAutoRead::Shown(std::int32_t id, bool unread, std::int64_t nowMs) {
  pending_.reset();
  if (!unread || !settings_.AutoMarkRead) return;
  const std::int64_t delayMs = std::max<std::int64_t>(settings_.AutoReadSeconds, 0) * 1000;
  pending_ = TPending{id, nowMs + delayMs};
}

std::optional<std::int32_t> TAutoRead::Due(std::int64_t nowMs) {
  if (!pending_ || nowMs < pending_->dueMs) return std::nullopt;
  const std::int32_t id = pending_->id;
  pending_.reset();
  return id;
}

std::optional<std::int64_t> TAutoRead::Remaining(std::int64_t nowMs) const {
  if (!pending_) return std::nullopt;
  return std::max<std::int64_t>(pending_->dueMs - nowMs, 0);
}
