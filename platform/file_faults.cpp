#include "platform/file_faults.h"

namespace platform {

namespace {
// The test-only slot described in file_faults.h.
FileFaultHook& HookSlot() {
  static FileFaultHook hook;
  return hook;
}
}  // namespace

void SetFileFaultHook(FileFaultHook hook) { HookSlot() = std::move(hook); }

bool FileFaultInjected(FileChange change) {
  const FileFaultHook& hook = HookSlot();
  return hook && hook(change);
}

}  // namespace platform
