// The copy is the same on every platform: it needs nothing but the file interface.
#include "platform/file.h"
#include "platform/unique_file.h"

namespace platform {

namespace {
constexpr std::int32_t k_copyBufferSize = 8192;
}

bool FileCopy(const std::string& from, const std::string& to) {
  UniqueFile in(FileOpen(from, FileAccess::Read));
  if (!in.IsOpen()) return false;
  UniqueFile out(FileCreate(to));
  if (!out.IsOpen()) return false;
  char buffer[k_copyBufferSize];
  for (;;) {
    std::int32_t n = FileRead(in.Get(), buffer, k_copyBufferSize);
    if (n < 0) return false;
    if (n == 0) break;
    if (FileWrite(out.Get(), buffer, n) != n) return false;
  }
  return out.Close();
}

}  // namespace platform
