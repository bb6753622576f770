// The change notifier's slot: the one sanctioned process-wide state of the mail store. The
// system manager installs the notifier once at start-up (it tells the main window that a
// mailbox's counts changed); every pair's writers call it. A slot rather than a member of
// each pair because pairs are made and freed per use all over the client, and all of them
// report to the same window.
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
