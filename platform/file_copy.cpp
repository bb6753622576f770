// The copy is the same on every platform: it needs nothing but the file interface.
#include "platform/file.h"

namespace platform {

namespace {
constexpr std::int32_t k_copyBufferSize = 8192;
}

bool FileCopy(const std::string& from, const std::string& to) {
  FileHandle in = FileOpen(from, FileAccess::Read);
  if (in == kInvalidFile) return false;
  FileHandle out = FileCreate(to);
  if (out == kInvalidFile) {
    FileClose(in);
    return false;
  }
  char buffer[k_copyBufferSize];
  bool ok = true;
  for (;;) {
    std::int32_t n = FileRead(in, buffer, k_copyBufferSize);
    if (n < 0) { ok = false; break; }
    if (n == 0) break;
    if (FileWrite(out, buffer, n) != n) { ok = false; break; }
  }
  FileClose(in);
  if (!FileClose(out)) ok = false;
  return ok;
}

}  // namespace platform
