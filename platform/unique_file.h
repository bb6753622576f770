// The one owner of an open platform file handle: it closes the handle when it goes out
// of scope, on every path out, and Close() reports a close that the system refused (a
// delayed write error, for one). Move-only.
#pragma once

#include <utility>

#include "platform/file.h"

namespace platform {

class UniqueFile {
 public:
  UniqueFile() = default;
  explicit UniqueFile(FileHandle handle) : handle_(handle) {}
  UniqueFile(UniqueFile&& other) noexcept : handle_(other.Release()) {}
  UniqueFile& operator=(UniqueFile&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  ~UniqueFile() { Close(); }

  FileHandle Get() const { return handle_; }
  bool IsOpen() const { return handle_ != k_invalidFile; }
  // Gives the handle up without closing it.
  FileHandle Release() { return std::exchange(handle_, k_invalidFile); }
  // Closes the handle; false when the system reports a failure. Closing an owner that
  // holds nothing succeeds.
  bool Close() {
    if (!IsOpen()) return true;
    return FileClose(Release());
  }

 private:
  FileHandle handle_ = k_invalidFile;
};

}  // namespace platform
