#include "quillet/store/mailbox/idx_file.h"

namespace {
// The one process-wide slot; single-threaded like the rest of the client.
TChangeNotifier& NotifierSlot() {
  static TChangeNotifier slot;
  return slot;
}
}  // namespace

void SetChangeNotifier(TChangeNotifier notifier) { NotifierSlot() = std::move(notifier); }

const TChangeNotifier& ChangeNotifier() { return NotifierSlot(); }
